#include "chart/settings/FieldText.h"

#include <algorithm>
#include <vector>

namespace karvex {

namespace {
// Byte offsets of the characters of a UTF-8 text, with the end as the last entry.
std::vector<size_t> CharStarts(const std::string& s) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
    starts.push_back(s.size());
    return starts;
}
}  // namespace

int FieldText::length() const {
    return int(CharStarts(text).size()) - 1;
}

void FieldText::select(int start, int len) {
    int n = length();
    selStart = std::clamp(start, 0, n);
    selLength = std::clamp(len, 0, n - selStart);
}

char32_t FieldText::at(int pos) const {
    auto starts = CharStarts(text);
    if (pos < 0 || pos + 1 >= int(starts.size())) return 0;
    size_t b = starts[size_t(pos)], e = starts[size_t(pos) + 1];
    auto c = static_cast<unsigned char>(text[b]);
    if (e - b == 1) return c;
    char32_t cp = c & (0x3F >> (e - b - 1));
    for (size_t i = b + 1; i < e; ++i) cp = cp << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
    return cp;
}

std::string FieldText::replacedSelection(const std::string& insert) const {
    auto starts = CharStarts(text);
    int n = int(starts.size()) - 1;
    int s = std::clamp(selStart, 0, n), e = std::clamp(selStart + selLength, s, n);
    return text.substr(0, starts[size_t(s)]) + insert + text.substr(starts[size_t(e)]);
}

void FieldText::replaceSelection(const std::string& insert) {
    int caret = std::clamp(selStart, 0, length()) + FieldText{insert}.length();
    text = replacedSelection(insert);
    select(caret, 0);
}

}  // namespace karvex
