#pragma once
// The focus frame of a control reached from the keyboard: a dotted frame around its surface
// while the control (or a window inside it) has the focus and the user works it with the keys.
// As on the window system, a click alone shows no frame, so pictures taken after mouse work
// stay as drawn.
#include <memory>

#include "platform/forms/FocusRect.h"
#include "platform/forms/Widget.h"

namespace ctl {

class KeyboardFocusFrame {
  public:
    // `surface` lies inside `control` (or is it); the frame goes just inside its edges.
    KeyboardFocusFrame(Widget& control, Widget& surface);
    ~KeyboardFocusFrame();
    KeyboardFocusFrame(const KeyboardFocusFrame&) = delete;
    KeyboardFocusFrame& operator=(const KeyboardFocusFrame&) = delete;

    bool Shown() const { return frame_.Shown(); }
    // Shows the frame when the control has the focus (a key was used on it).
    void KeyboardUsed();

  private:
    class Watch;
    bool ControlHasFocus() const;
    void Show();
    Widget& control_;
    Widget& surface_;
    FocusRect frame_;
    std::unique_ptr<Watch> watch_;
};

}  // namespace ctl
