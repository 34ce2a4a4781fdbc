#include "common/basMenusys.h"

#include "platform/win/WindowSystem.h"

namespace basMenusys {

bool IsWindowShown(int32_t window) {
    return ctl::IsWindowVisible(window);
}

void SetWindowZOrder(int32_t window, int32_t insertAfter) {
    if (insertAfter == HWND_TOPMOST)
        ctl::SetWindowTopmost(window, true);
    else if (insertAfter == HWND_NOTOPMOST)
        ctl::SetWindowTopmost(window, false);
}

}  // namespace basMenusys
