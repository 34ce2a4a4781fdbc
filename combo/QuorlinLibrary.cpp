#include "platform/Library.h"
#include "platform/Text.h"

// Entry points of the combo library. The control classes register here as they are built.
namespace {
const ctl::ControlClass* const kClasses[] = {nullptr};
int g_instances = 0;
}  // namespace

CTL_EXPORT const ctl::ControlClass* CtlGetClassObject(const char* progId) {
    for (const ctl::ControlClass* c : kClasses)
        if (c && progId && ctl::EqualsNoCase(c->progId, progId)) return c;
    return nullptr;
}

CTL_EXPORT int CtlCanUnloadNow() { return g_instances == 0 ? 1 : 0; }
