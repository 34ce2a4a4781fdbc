#include "platform/sys/UserWait.h"

namespace ctl {

namespace {
std::function<bool(const std::string&)>& GiveUp() {
    static std::function<bool(const std::string&)> giveUp;
    return giveUp;
}
}  // namespace

void SetUserWaitGiveUp(std::function<bool(const std::string& what)> giveUp) {
    GiveUp() = std::move(giveUp);
}

bool GiveUpUserWait(const std::string& what) {
    return GiveUp() && GiveUp()(what);
}

}  // namespace ctl
