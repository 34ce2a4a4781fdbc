#pragma once
// The entry points through which a host finds the control classes of a library.
#include <initializer_list>
#include <memory>

#include "platform/com/UserControl.h"

namespace ctl {

struct ControlClass {
    const char* progId;  // "Library.Class"
    const ClassInfo& (*typeInfo)();
    std::unique_ptr<UserControl> (*create)(ControlSite& site);
};

// The class of a library's table with this name (compared without regard to case), or null.
const ControlClass* FindControlClass(std::initializer_list<const ControlClass*> classes,
                                     const char* progId);

}  // namespace ctl

#define CTL_EXPORT extern "C" __attribute__((visibility("default")))

// Exported by every control library:
//   const ctl::ControlClass* CtlGetClassObject(const char* progId);  // null: no such class
//   int CtlCanUnloadNow();                                            // 1 when no instance lives
using CtlGetClassObjectFn = const ctl::ControlClass* (*)(const char*);
using CtlCanUnloadNowFn = int (*)();
