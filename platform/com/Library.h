#pragma once
// The entry points through which a host finds the control classes of a library.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/LibraryManifest.h"
#include "platform/com/UserControl.h"

namespace ctl {

// The component library that publishes a class, as type-table readers and references show it.
struct LibraryInfo {
    const char* name;     // "Karvex"
    const char* help;     // "Karvex Custom Control"
    const char* version;  // "1.0"
    int locale;           // 1033: English (United States)
};

struct ControlClass {
    const char* progId;  // "Library.Class"
    const ClassInfo& (*typeInfo)();
    std::unique_ptr<UserControl> (*create)(ControlSite& site);
    LibraryInfo library;
};

// The class of a library's table with this name (compared without regard to case), or null.
const ControlClass* FindControlClass(std::initializer_list<const ControlClass*> classes,
                                     const char* progId);

// Where hosts find control classes by name. Folders searched for manifests, in order: the
// folder of the runtime library, its "ctlcontrols" sub-folder, then each folder of the
// variable CTL_CONTROL_PATH (separated by ':').
std::vector<std::string> ControlSearchPath();
// Every readable manifest on the search path, in search order; what is wrong with the others
// goes to `problems` (one line each) when given.
std::vector<LibraryManifest> FindManifests(std::vector<std::string>* problems = nullptr);
// The class with this name ("Karvex.ucKarvex", without regard to case). When the variable
// CTL_LIBRARY_PATH names a folder holding lib<library>.so, that file is used directly;
// otherwise the first manifest naming the class gives the file. Raises 429 with a description
// that says what is missing: the class, a readable manifest, the library file or its entry
// points. Libraries stay loaded for the life of the process.
const ControlClass& LookUpControlClass(const std::string& progId);
// A new instance of the named class on a host's site (not yet initialised).
std::unique_ptr<UserControl> CreateControl(const std::string& progId, ControlSite& site);

}  // namespace ctl

#define CTL_EXPORT extern "C" __attribute__((visibility("default")))

// Exported by every control library:
//   const ctl::ControlClass* CtlGetClassObject(const char* progId);  // null: no such class
//   int CtlCanUnloadNow();                                            // 1 when no instance lives
using CtlGetClassObjectFn = const ctl::ControlClass* (*)(const char*);
using CtlCanUnloadNowFn = int (*)();
