#include "platform/graphics/Font.h"

namespace ctl {

bool Font::sameAs(const Font& o) const {
    return Name == o.Name && Size == o.Size && Bold == o.Bold && Italic == o.Italic &&
           Underline == o.Underline && Strikethrough == o.Strikethrough;
}

FontPtr MakeFont(const std::string& name, double size, bool bold, bool italic) {
    auto f = std::make_shared<Font>();
    f->Name = name;
    f->Size = size;
    f->Bold = bold;
    f->Italic = italic;
    return f;
}

}  // namespace ctl
