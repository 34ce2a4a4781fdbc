#pragma once
#include <functional>

#include "platform/forms/Widget.h"

namespace ctl {

// A vertical scroll bar used as a spin button: its value moves between Min and Max by one per
// arrow press; the upper arrow moves it towards Max. onChange runs on every change of the
// value, by the user or by code.
class SpinBar : public Widget {
  public:
    explicit SpinBar(Widget& parent);

    int Value() const;
    void setValue(int value);  // kept within the limits
    int Min() const;
    int Max() const;
    void setRange(int min, int max);
    // One press of the upper (direction > 0) or lower arrow, as the user would press it.
    void Spin(int direction);

    std::function<void()> onChange;
};

}  // namespace ctl
