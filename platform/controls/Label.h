#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// A text label: caption, alignment (0 left, 1 right, 2 centre) and back style (0 transparent,
// 1 opaque in BackColor) and border.
class Label : public Widget {
  public:
    explicit Label(Widget& parent);

    std::string Caption() const;
    void setCaption(const std::string& text);
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int style);
    // 0 no border, 1 a sunken border like a text cell's.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // Height in twips that one line of the current font needs.
    int TextHeight() const;
    // Sizes the label to its caption in the current font.
    void FitToText();

  private:
    int alignment_ = 0, backStyle_ = 1, borderStyle_ = 0;
};

}  // namespace ctl
