#pragma once
#include <cstdint>

// Small window helpers of the chart library.
namespace basMenusys {

// Places that keep a window above all others (-1) or release it (-2).
constexpr int32_t HWND_TOPMOST = -1;
constexpr int32_t HWND_NOTOPMOST = -2;

bool IsWindowShown(int32_t window);
// Moves the window into (HWND_TOPMOST) or out of (HWND_NOTOPMOST) the topmost band, keeping
// its position and size.
void SetWindowZOrder(int32_t window, int32_t insertAfter);

}  // namespace basMenusys
