#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/Library.h"

// Entry points of the combo library.
namespace {
std::unique_ptr<ctl::UserControl> CreateQuorlin(ctl::ControlSite& site) {
    return std::make_unique<quorlin::ucvQuorlin>(site);
}
const ctl::ClassInfo& QuorlinTypeInfo() {
    return quorlin::ucvQuorlin::TypeInfo();
}

const ctl::ControlClass kQuorlin = {"Quorlin.ucvQuorlin",
                                    &QuorlinTypeInfo,
                                    &CreateQuorlin,
                                    {"Quorlin", "QuorlinBox Custom Control", "1.0", 1033}};
}  // namespace

CTL_EXPORT const ctl::ControlClass* CtlGetClassObject(const char* progId) {
    return ctl::FindControlClass({&kQuorlin}, progId);
}

CTL_EXPORT int CtlCanUnloadNow() {
    return quorlin::LiveInstances() == 0 ? 1 : 0;
}
