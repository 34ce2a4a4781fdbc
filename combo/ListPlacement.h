#pragma once
#include <functional>

// Where the drop-down list opens: under the control, or above it when there is more room
// there, shortened to the screen, and kept within the screen's left and right edges.
namespace quorlin {

struct ScreenRectPx {
    int left, top, right, bottom;
};

struct ListPlace {
    int left, top, height;  // screen twips
};

// `control` is the control's window in screen pixels; `listHeight` the height the lists want
// and `width` the window's width (twips). `fit` gives the lists a height and answers the one
// they took (whole rows). The first column hidden moves the window 1100 twips to the left so
// that the second list lies under the control.
ListPlace PlaceList(const ScreenRectPx& control, int twipsX, int twipsY, int screenWidth,
                    int screenHeight, int listHeight, int width, bool firstColumnHidden,
                    const std::function<int(int)>& fit);

}  // namespace quorlin
