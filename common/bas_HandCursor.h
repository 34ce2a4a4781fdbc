#pragma once
#include "platform/forms/Widget.h"
#include "platform/graphics/Picture.h"

namespace bas_HandCursor {

// Gives a label the library's hand cursor, marking it as clickable.
void SetHandCursor(ctl::Widget& label);
// Back to the default pointer, with no icon.
void ResetCursor(ctl::Widget& label);

// The library's own hand cursor picture (fingertip as hot spot), built once.
ctl::PicturePtr HandCursorPicture();

}  // namespace bas_HandCursor
