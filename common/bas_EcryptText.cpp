#include "common/bas_EcryptText.h"

#include <array>
#include <cstdint>

namespace bas_EcryptText {

namespace {
template <class Code, size_t N>
std::string FromCodes(const std::array<Code, N>& codes) {
    std::string text;
    text.reserve(N);
    for (Code c : codes) text += char(c);
    return text;
}
}  // namespace

std::string MakerName() {
    static constexpr std::array<int16_t, 18> kCodes = {90, 101, 109, 109, 105, 107, 111, 114, 32,
                                                       83, 111, 102, 116, 119, 111, 114, 107, 115};
    return FromCodes(kCodes);
}

std::string MakerWebAddress() {
    static constexpr std::array<uint8_t, 37> kCodes = {
        104, 116, 116, 112, 58,  47,  47, 119, 119, 119, 46,  122, 101,
        109, 109, 105, 107, 111, 114, 45, 115, 111, 102, 116, 119, 111,
        114, 107, 115, 46,  101, 120, 97, 109, 112, 108, 101};
    return FromCodes(kCodes);
}

}  // namespace bas_EcryptText
