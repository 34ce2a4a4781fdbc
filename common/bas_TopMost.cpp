#include "common/bas_TopMost.h"

#include "common/basMenusys.h"

namespace bas_TopMost {

void SetWindowZOrder(int32_t window) {
    basMenusys::SetWindowZOrder(window, basMenusys::HWND_TOPMOST);
}

}  // namespace bas_TopMost
