#pragma once
// Toolkit side of Picture, for platform sources only.
#include <QImage>

#include "platform/graphics/Picture.h"

namespace ctl {
struct Picture::Impl {
    QImage image;
    int32_t handle = 0;
};
}  // namespace ctl
