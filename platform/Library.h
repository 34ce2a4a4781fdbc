#pragma once
// The entry points through which a host finds the control classes of a library.
#include <memory>

#include "platform/UserControl.h"

namespace ctl {

struct ControlClass {
    const char* progId;  // "Library.Class"
    const ClassInfo& (*typeInfo)();
    std::unique_ptr<UserControl> (*create)(ControlSite& site);
};

}  // namespace ctl

#define CTL_EXPORT extern "C" __attribute__((visibility("default")))

// Exported by every control library:
//   const ctl::ControlClass* CtlGetClassObject(const char* progId);  // null: no such class
//   int CtlCanUnloadNow();                                            // 1 when no instance lives
using CtlGetClassObjectFn = const ctl::ControlClass* (*)(const char*);
using CtlCanUnloadNowFn = int (*)();
