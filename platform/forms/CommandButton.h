#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A push button. onClick runs once per press, by mouse, keyboard or Click().
class CommandButton : public Widget {
  public:
    explicit CommandButton(Widget& parent);

    std::string Caption() const;
    void setCaption(const std::string& text);
    // Presses the button as the user would (nothing happens while it is disabled).
    void Click();
};

}  // namespace ctl
