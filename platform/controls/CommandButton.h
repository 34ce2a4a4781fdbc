#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A push button: a caption, and onClick when it is pressed by mouse, by its access key or as
// the default (Enter) or cancel (Esc) button of its dialog.
class CommandButton : public Widget {
  public:
    explicit CommandButton(Widget& parent);
    std::string Caption() const;
    void setCaption(const std::string& text);
    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on) { cancel_ = on; }
    // Presses the button as the user would (nothing happens while it is disabled).
    void Click();

  private:
    bool default_ = false, cancel_ = false;
};

}  // namespace ctl
