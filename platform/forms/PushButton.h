#pragma once
#include <functional>
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A push button with a caption and a free text tag; onPress runs when it is pressed (mouse,
// keyboard, or Click from code).
class PushButton : public Widget {
  public:
    explicit PushButton(Widget& parent);
    std::string Caption() const;
    void setCaption(const std::string& text);
    const std::string& Tag() const { return tag_; }
    void setTag(const std::string& tag) { tag_ = tag; }
    void setDefault(bool on);  // Enter presses it
    void Click();
    std::function<void()> onPress;

  private:
    std::string tag_;
};

}  // namespace ctl
