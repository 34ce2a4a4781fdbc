#pragma once
#include "platform/forms/Widget.h"
#include "platform/graphics/Picture.h"

namespace ctl {

// An image control: shows a picture at its natural size or stretched to the control; takes
// clicks and mouse events like any window.
class Image : public Widget {
  public:
    explicit Image(Widget& parent);

    PicturePtr Picture() const { return picture_; }
    void setPicture(PicturePtr p);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

  private:
    void show();
    PicturePtr picture_;
    bool stretch_ = false;
};

}  // namespace ctl
