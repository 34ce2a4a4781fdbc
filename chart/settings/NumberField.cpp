#include "chart/settings/NumberField.h"

#include <cmath>

#include "platform/com/Variant.h"
#include "platform/sys/Locale.h"

namespace karvex::NumberField {

namespace {
std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

bool ReadsAsNumber(const std::string& text) {
    double d = 0;
    return ctl::ParseLocaleNumber(text, d);
}

bool HasFraction(double v) {
    return std::isfinite(v) && v != std::trunc(v);
}
}  // namespace

bool AcceptKey(const FieldText& f, char32_t key, bool unitField, const std::string& dec) {
    const std::string k = Utf8(key);
    const bool digit = key >= '0' && key <= '9';
    bool trial = false;
    if (!f.text.empty()) {
        if (key == 8) return true;
        if (digit || k == dec)
            trial = true;
        else if (key == '-')
            trial = !unitField;
    } else if (ReadsAsNumber(k)) {
        if (digit || k == dec)
            trial = true;
        else if (key == '-')
            trial = !unitField;
    } else {
        trial = key == '-' && !unitField;
    }
    if (!trial) return false;
    std::string result = f.replacedSelection(k);
    return result == "-" || ReadsAsNumber(result);
}

float Read(const std::string& text) {
    double d = 0;
    if (!ctl::ParseLocaleNumber(text, d)) d = ctl::Val(text);
    if (!std::isfinite(d) || std::fabs(d) > 3.402823e38) return 0;
    return float(d);
}

std::string ForEdit(const std::string& text) {
    float v = Read(text.empty() ? "0" : text);
    for (int digits = 1; digits <= 9; ++digits) {
        std::string t = ctl::NumberToText(v, digits);
        double back = 0;
        if (t.find('E') == std::string::npos && ctl::ParseLocaleNumber(t, back) && float(back) == v)
            return t;
    }
    return ctl::NumberToText(v, 9);  // a value beyond plain digits keeps its exponent
}

std::string OnLeave(const std::string& text, const std::string& dec) {
    float v = Read(text.empty() ? "0" : text);
    if (v == 0) return ctl::FormatNumber(v, "0");
    bool decimals = ctl::NumberToText(v, 7).find(dec) != std::string::npos;
    return ctl::FormatNumber(v, decimals ? "0.##" : "#,##0");
}

std::string ForDisplay(float value) {
    return ctl::FormatNumber(value, HasFraction(value) ? "0.##" : "#,##0");
}

std::optional<std::string> Step(const std::string& text, int direction) {
    double d = 0;
    if (!ctl::ParseLocaleNumber(text, d)) return std::nullopt;
    d += direction > 0 ? 1 : -1;
    return ctl::NumberToText(d, 15);
}

double ToNumberValue(const std::string& text) {
    double serial = 0;
    if (ctl::ParseDate(text, serial)) return double(int32_t(ctl::RoundHalfEven(serial)));
    std::string rest = text;
    if (size_t dot = rest.find('.'); dot != std::string::npos) rest.erase(dot, 1);
    return ctl::Val(rest);
}

}  // namespace karvex::NumberField
