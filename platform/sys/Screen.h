#pragma once
#include <cstdint>

namespace ctl {

// System colour indexes of the window system's colour table.
enum SysColorIndex : int {
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_GRAYTEXT = 17,
};

namespace Screen {
int TwipsPerPixelX();
int TwipsPerPixelY();
int WidthTwips();
int HeightTwips();
int VScrollBarWidthPx();
// A system colour as 0x00BBGGRR.
uint32_t SysColor(int index);
// A colour value that may be a system colour reference (0x800000xx) reduced to 0x00BBGGRR.
uint32_t ResolveColor(uint32_t color);
// The pointer shown over every window of the application while a long operation runs:
// 0 each window's own, 11 the hourglass.
int MousePointer();
void setMousePointer(int kind);
}  // namespace Screen

}  // namespace ctl
