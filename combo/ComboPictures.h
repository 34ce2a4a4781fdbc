#pragma once
#include "platform/graphics/Picture.h"

namespace quorlin {

// The faces of the drop-down button, drawn in code: raised (released) and sunken (pressed),
// each with a small black down arrow. Sizes in pixels.
ctl::PicturePtr DrawButtonUp(int width, int height);
ctl::PicturePtr DrawButtonDown(int width, int height);

}  // namespace quorlin
