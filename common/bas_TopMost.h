#pragma once
#include <cstdint>

// The combo library's topmost helper.
namespace bas_TopMost {

// Keeps the window above all others, without moving or resizing it.
void SetWindowZOrder(int32_t window);

}  // namespace bas_TopMost
