#pragma once
#include <cstdint>

namespace ctl {

class Widget;

// The window with this handle while it lives (null for none): found at once, however many
// windows there are.
Widget* WidgetFromHandle(int32_t hwnd);

}  // namespace ctl
