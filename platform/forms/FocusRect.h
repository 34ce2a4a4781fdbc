#pragma once
#include "platform/forms/Widget.h"

namespace ctl {

// The dotted keyboard-focus rectangle, drawn over part of a control's surface and erased
// again. It lets the mouse through to the windows beneath it.
class FocusRect : public Widget {
  public:
    explicit FocusRect(Widget& surface);
    // Draws the rectangle with these bounds, in twips of the surface.
    void Draw(int left, int top, int width, int height);
    void Erase();
    bool Shown() const { return Visible(); }
};

}  // namespace ctl
