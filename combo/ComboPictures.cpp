#include "combo/ComboPictures.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorlin {

namespace {
constexpr uint32_t kFace = 0xFFC0C0C0, kLight = 0xFFFFFFFF, kShadow = 0xFF808080,
                   kDark = 0xFF000000;

ctl::PicturePtr DrawButton(int w, int h, bool pressed) {
    w = std::max(w, 8);
    h = std::max(h, 8);
    std::vector<uint32_t> px(size_t(w) * size_t(h), kFace);
    auto set = [&](int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * size_t(w) + size_t(x)] = c;
    };
    if (pressed) {
        for (int x = 0; x < w; ++x) set(x, 0, kShadow), set(x, h - 1, kShadow);
        for (int y = 0; y < h; ++y) set(0, y, kShadow), set(w - 1, y, kShadow);
    } else {
        // Light on the top and left edges, two shades of shadow on the bottom and right.
        for (int x = 0; x < w; ++x) set(x, 0, kLight), set(x, h - 1, kDark), set(x, h - 2, kShadow);
        for (int y = 0; y < h; ++y) set(0, y, kLight), set(w - 1, y, kDark), set(w - 2, y, kShadow);
        for (int x = 1; x < w - 1; ++x) set(x, h - 1, kDark);
    }
    // A down arrow of four rows, centred; a pressed face shifts it one pixel down and right.
    int shift = pressed ? 1 : 0;
    int cx = (w - 1) / 2 + shift, top = (h - 4) / 2 + shift;
    for (int row = 0; row < 4; ++row)
        for (int x = cx - 3 + row; x <= cx + 3 - row; ++x) set(x, top + row, kDark);
    auto pic = std::make_shared<ctl::Picture>();
    pic->fromArgb(w, h, px.data());
    return pic;
}
}  // namespace

ctl::PicturePtr DrawButtonUp(int width, int height) {
    return DrawButton(width, height, false);
}
ctl::PicturePtr DrawButtonDown(int width, int height) {
    return DrawButton(width, height, true);
}

}  // namespace quorlin
