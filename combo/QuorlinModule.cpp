#include "combo/QuorlinModule.h"

#include "common/bas_EcryptText.h"
#include "common/fabout.h"

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

void HandAboutTexts() {
    AboutTexts t;
    t.Title = LibraryTitle();
    t.CopyrightYear = "2024, 2025, 2026";
    t.Major = CTL_VERSION_MAJOR;
    t.Minor = CTL_VERSION_MINOR;
    t.Revision = CTL_VERSION_PATCH;
    t.Separator = "  \u2013  version ";
    t.RevisionOnlyWhenSet = true;
    t.TrailingBlanks = int(bas_EcryptText::MakerWebAddress().size());
    t.CentreOnPointer = false;
    t.ModelessAllowed = true;
    SetAboutTexts(t);
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
