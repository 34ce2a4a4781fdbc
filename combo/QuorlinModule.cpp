#include "combo/QuorlinModule.h"

namespace quorlin {

namespace {
bool g_initialising = false;
int g_instances = 0;
}  // namespace

bool Initialising() {
    return g_initialising;
}
void setInitialising(bool on) {
    g_initialising = on;
}

const std::string& LibraryTitle() {
    static const std::string title = "Quorlin";
    return title;
}

int LiveInstances() {
    return g_instances;
}
void InstanceCreated() {
    ++g_instances;
}
void InstanceEnded() {
    --g_instances;
}

}  // namespace quorlin
