#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"
#include "platform/com/Library.h"

// Entry points of the chart library. The control classes register here as they are built.
namespace {
std::unique_ptr<ctl::UserControl> CreateKarvex(ctl::ControlSite& site) {
    return std::make_unique<karvex::ucKarvex>(site);
}

const ctl::ControlClass kKarvex{"Karvex.ucKarvex",
                                &karvex::ucKarvexTypeInfo,
                                &CreateKarvex,
                                {"Karvex", "Karvex Custom Control", "1.0", 1033}};
}  // namespace

CTL_EXPORT const ctl::ControlClass* CtlGetClassObject(const char* progId) {
    return ctl::FindControlClass({&kKarvex}, progId);
}

CTL_EXPORT int CtlCanUnloadNow() {
    return karvex::Library().LiveInstances == 0 ? 1 : 0;
}
