#pragma once
#include <algorithm>
#include <cstdint>

namespace ctl {

// The largest image a surface keeps or a snapshot takes. No screen shows more than 16,384
// pixels a side (the largest panels are 7,680 wide; twice that leaves room for desktops that
// span several), nor more than 16,384 x 2,048 pixels in all (128 MB; an 8K panel has 33.2
// million pixels). A control sized beyond that keeps its size but draws into, and shows, only
// this much of it.
constexpr int kMaxSurfaceSidePx = 16384;
constexpr int64_t kMaxSurfacePixels = int64_t(16384) * 2048;

// Width and height (pixels, at least 1) cut to those limits; the height gives way first.
inline void LimitSurfaceSize(int& w, int& h) {
    w = std::clamp(w, 1, kMaxSurfaceSidePx);
    h = std::clamp(h, 1, kMaxSurfaceSidePx);
    if (int64_t(w) * h > kMaxSurfacePixels) h = int(std::max<int64_t>(1, kMaxSurfacePixels / w));
}

}  // namespace ctl
