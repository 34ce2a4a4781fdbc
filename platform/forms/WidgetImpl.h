#pragma once
// Toolkit helpers shared by platform sources.
#include <QColor>
#include <QFont>
#include <QImage>

#include "platform/graphics/Font.h"

namespace ctl {
QFont ToQFont(const Font& f);
inline QColor ToQColor(uint32_t bgr) {
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}
inline uint32_t FromQColor(const QColor& c) {
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}
int VirtualKeyOf(int qtKey);
int QtKeyOf(int virtualKey);
// A picture taken on a high-density screen brought to pixels of the window, so pictures keep
// their size whatever the screen: each pixel is the first device pixel of its square.
QImage AtWindowPixels(const QImage& deviceImage);
}  // namespace ctl
