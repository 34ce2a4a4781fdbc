#include "platform/sys/Text.h"

#include <QString>

namespace ctl {

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

static bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

std::string ToLower(std::string_view s) {
    if (IsAscii(s)) {
        std::string r(s);
        for (char& c : r)
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        return r;
    }
    return QString::fromUtf8(s.data(), qsizetype(s.size())).toLower().toStdString();
}

std::string ToUpper(std::string_view s) {
    if (IsAscii(s)) {
        std::string r(s);
        for (char& c : r)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        return r;
    }
    return QString::fromUtf8(s.data(), qsizetype(s.size())).toUpper().toStdString();
}

std::string FoldCase(std::string_view s) {
    if (IsAscii(s)) return ToLower(s);
    return QString::fromUtf8(s.data(), qsizetype(s.size())).toCaseFolded().toStdString();
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (IsAscii(a) && IsAscii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i], y = b[i];
            if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
            if (x != y) return false;
        }
        return true;
    }
    return FoldCase(a) == FoldCase(b);
}

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}
bool EndsWith(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

void AppendUtf8(std::u16string_view s, std::string& out) {
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c < 0x80) {
            out.push_back(char(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            bool paired =
                c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
            c = paired ? 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00) : 0xFFFD;
        }
        if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        }
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

}  // namespace ctl
