#pragma once
// The focus frame of a control reached from the keyboard: a dotted frame around its surface
// while the control (or a window inside it) has the focus, once the keyboard brought the focus
// there (Tab, Shift+Tab, a shortcut) or a keyboard command of the control ran. As on the window
// system, a click alone shows no frame, so pictures taken after mouse work stay as drawn.
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
    // A keyboard command of the control ran: the frame shows while the control has the focus.
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
