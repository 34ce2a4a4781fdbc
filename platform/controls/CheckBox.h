#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A check box with its caption at the right. Value is 0 (unticked) or 1 (ticked); onClick runs
// whenever the value changes, whether the user or code changed it.
class CheckBox : public Widget {
  public:
    explicit CheckBox(Widget& parent);

    std::string Caption() const;
    void setCaption(const std::string& text);
    int Value() const;
    void setValue(int value);  // anything but 0 ticks
    // Toggles the box as a click of the user would (nothing happens while it is disabled).
    void Click();
};

}  // namespace ctl
