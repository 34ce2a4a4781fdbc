#pragma once
#include "platform/forms/Widget.h"

namespace ctl {

// An etched rectangle that groups the controls placed inside it (their positions are
// relative to the frame).
class Frame : public Widget {
  public:
    explicit Frame(Widget& parent);
};

}  // namespace ctl
