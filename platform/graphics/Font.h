#pragma once
#include <memory>
#include <string>

#include "platform/com/Variant.h"

namespace ctl {

// A font object shared by reference between a control and its children.
class Font : public Object {
  public:
    std::string Name = "MS Sans Serif";
    double Size = 8;
    bool Bold = false, Italic = false, Underline = false, Strikethrough = false;

    std::string typeName() const override { return "Font"; }
    bool sameAs(const Font& o) const;
    std::shared_ptr<Font> clone() const { return std::make_shared<Font>(*this); }
};
using FontPtr = std::shared_ptr<Font>;

FontPtr MakeFont(const std::string& name, double size, bool bold = false, bool italic = false);

}  // namespace ctl
