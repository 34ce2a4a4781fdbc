// Pictures taken on a high-density screen, brought back to pixels of the window.
#include <algorithm>
#include <cmath>

#include "platform/forms/WidgetImpl.h"

namespace ctl {

QImage AtWindowPixels(const QImage& deviceImage) {
    const qreal dpr = deviceImage.devicePixelRatio();
    if (dpr <= 1 || deviceImage.isNull()) return deviceImage;
    const QImage src = deviceImage.convertToFormat(QImage::Format_RGB32);
    const int w = std::max(1, int(src.width() / dpr)), h = std::max(1, int(src.height() / dpr));
    QImage out(w, h, QImage::Format_RGB32);
    if (out.isNull()) return deviceImage;
    out.setDotsPerMeterX(src.dotsPerMeterX());
    out.setDotsPerMeterY(src.dotsPerMeterY());
    // The first device pixel of each window pixel: where a thin line of the window lies.
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(
            src.constScanLine(std::min(src.height() - 1, int(y * dpr))));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = in[std::min(src.width() - 1, int(x * dpr))];
    }
    return out;
}

}  // namespace ctl
