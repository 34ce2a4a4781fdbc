#include "platform/sys/Collation.h"

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <QLocale>
#include <cstring>
#include <string>
#include <vector>

namespace ctl {

namespace {
// The collator of the machine's locale at the strength that ignores letter case (accents still
// count). The bare "C" locale has no order of its own beyond code points, which would put
// every capital before every small letter; its users get English. The toolkit's own
// collation runs on the same library with the same settings; it is used directly here because
// its keys cannot be read as bytes, and byte keys kept side by side compare several times
// faster than separately allocated ones.
UCollator* SharedCollator() {
    static UCollator* const collator = [] {
        QLocale locale = QLocale::system();
        std::string name =
            locale.language() == QLocale::C ? std::string("en") : locale.name().toStdString();
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open(name.c_str(), &status);
        if (U_FAILURE(status)) {
            status = U_ZERO_ERROR;
            c = ucol_open("", &status);  // the root order
        }
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return collator;
}

// UTF-8 to UTF-16 into a buffer kept between calls; broken sequences become U+FFFD.
const UChar* ToUtf16(std::string_view text, std::vector<UChar>& buffer, int32_t& length) {
    if (buffer.size() < text.size() + 1) buffer.resize(text.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(buffer.data(), int32_t(buffer.size()), &length, text.data(),
                         int32_t(text.size()), 0xFFFD, nullptr, &status);
    if (U_FAILURE(status)) length = 0;
    return buffer.data();
}
}  // namespace

// The keys end to end in one block; a key ends with a zero byte and holds none before it.
struct CollationKeys::Impl {
    std::string bytes;
    std::vector<size_t> starts;
    std::vector<UChar> utf16;
};

CollationKeys::CollationKeys() : d_(std::make_unique<Impl>()) {}
CollationKeys::~CollationKeys() = default;

void CollationKeys::reserve(size_t n) {
    d_->starts.reserve(n);
    d_->bytes.reserve(n * 24);
}

void CollationKeys::add(std::string_view text) {
    int32_t length = 0;
    const UChar* s = ToUtf16(text, d_->utf16, length);
    add(std::u16string_view(s, size_t(length)));
}

void CollationKeys::add(std::u16string_view text) {
    const auto length = int32_t(text.size());
    size_t start = d_->bytes.size();
    size_t room = std::max<size_t>(32, 2 * text.size() + 16);
    for (;;) {
        d_->bytes.resize(start + room);
        auto* out = reinterpret_cast<uint8_t*>(d_->bytes.data() + start);
        int32_t need = ucol_getSortKey(SharedCollator(), text.data(), length, out, int32_t(room));
        if (need > 0 && size_t(need) <= room) {
            d_->bytes.resize(start + size_t(need));
            break;
        }
        if (need <= 0) {  // no key (out of memory in the collator): sorts first
            d_->bytes.resize(start);
            d_->bytes.push_back('\0');
            break;
        }
        room = size_t(need);
    }
    d_->starts.push_back(start);
}

size_t CollationKeys::size() const {
    return d_->starts.size();
}

int CollationKeys::compare(size_t a, size_t b) const {
    const char* base = d_->bytes.data();
    return std::strcmp(base + d_->starts[a], base + d_->starts[b]);
}

uint64_t CollationKeys::prefix(size_t i, size_t from) const {
    auto* k = reinterpret_cast<const unsigned char*>(d_->bytes.data() + d_->starts[i]);
    for (size_t skip = 0; skip < from && *k; ++skip) ++k;
    uint64_t p = 0;
    for (int b = 0; b < 8; ++b) {
        unsigned char c = *k;
        p = (p << 8) | c;
        if (c) ++k;  // past its end a key reads as zeros
    }
    return p;
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult r = ucol_strcollUTF8(SharedCollator(), a.data(), int32_t(a.size()), b.data(),
                                          int32_t(b.size()), &status);
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

}  // namespace ctl
