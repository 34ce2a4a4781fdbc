#include "combo/ListPlacement.h"

#include <algorithm>

namespace quorlin {

namespace {
constexpr int kHiddenColumnShift = 1100;
}

ListPlace PlaceList(const ScreenRectPx& control, int twipsX, int twipsY, int screenWidth,
                    int screenHeight, int listHeight, int width, bool firstColumnHidden,
                    const std::function<int(int)>& fit) {
    int top = control.bottom * twipsY;
    int h = std::max(0, listHeight);
    bool moved = false;
    // Each pass either moves the window above the control once or shortens it to the room
    // left; a shortened list never grows, so a few passes settle it.
    for (int pass = 0; pass < 8; ++pass) {
        if (!moved && top + h > screenHeight && screenHeight - top < top) {
            moved = true;
            top = control.top * twipsY - h;
            if (top < 0) {
                // Shorter by the excess; the lists then show whole rows of what is left.
                h = fit(h + top);
                top = 0;
            }
        }
        if (screenHeight - top >= h) break;
        h = fit(std::max(0, screenHeight - top));
    }
    h = std::min(h, std::max(0, screenHeight - top));

    int left = control.left * twipsX - (firstColumnHidden ? kHiddenColumnShift : 0);
    left = std::max(left, 0);
    if (left + width > screenWidth) left = std::max(0, screenWidth - width);
    return {left, top, h};
}

}  // namespace quorlin
