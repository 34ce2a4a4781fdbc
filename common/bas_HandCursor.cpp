#include "common/bas_HandCursor.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace bas_HandCursor {

namespace {
// The pointing hand: X outline, o fill, anything else transparent; the fingertip is the hot
// spot. Drawn here rather than loaded so each library carries its own copy.
// clang-format off
constexpr std::array<std::string_view, 18> kHand = {
    "     XX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooXXX",
    "    XooXooXXX",
    "    XooXooXooXX",
    " XX XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXooooooooooX",
    " XooXooooooooooX",
    "  XoXooooooooooX",
    "  XoooooooooooX",
    "   XooooooooooX",
    "   XoooooooooX",
    "    XooooooooX",
    "    XooooooooX",
    "    XXXXXXXXXX",
};
// clang-format on
constexpr int kSize = 32;
constexpr int kHotX = 5, kHotY = 0;

ctl::PicturePtr MakeHand() {
    std::array<uint32_t, kSize * kSize> pixels{};  // fully transparent
    for (size_t y = 0; y < kHand.size(); ++y)
        for (size_t x = 0; x < kHand[y].size(); ++x) {
            char c = kHand[y][x];
            if (c == 'X') pixels[y * kSize + x] = 0xFF000000u;
            if (c == 'o') pixels[y * kSize + x] = 0xFFFFFFFFu;
        }
    auto picture = std::make_shared<ctl::Picture>();
    picture->fromArgb(kSize, kSize, pixels.data(), kHotX, kHotY);
    return picture;
}
}  // namespace

ctl::PicturePtr HandCursorPicture() {
    static const ctl::PicturePtr hand = MakeHand();
    return hand;
}

void SetHandCursor(ctl::Widget& label) {
    label.setMousePointer(99);
    label.setMouseIcon(HandCursorPicture());
}

void ResetCursor(ctl::Widget& label) {
    label.setMousePointer(0);
    label.setMouseIcon(ctl::EmptyPicture());
}

}  // namespace bas_HandCursor
