#include "chart/settings/NumberField.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "chart/settings/DateMask.h"
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

Reading Read(const std::string& text, bool unitField) {
    if (text.empty()) return {};
    double d = 0;
    switch (ctl::ReadLocaleNumber(text, d)) {
        case ctl::NumberReading::TooLarge:
            return {0, false};
        case ctl::NumberReading::NotANumber:
            d = ctl::Val(text);
            break;
        case ctl::NumberReading::Number:
            break;
    }
    if (unitField) {
        const double whole = ctl::RoundHalfEven(d);
        return {d, whole >= std::numeric_limits<int32_t>::min() &&
                       whole <= std::numeric_limits<int32_t>::max()};
    }
    return {d, std::fabs(d) <= std::numeric_limits<float>::max()};
}

namespace {
std::optional<std::string> Shown(const std::string& text, bool unitField, bool grouping) {
    Reading r = Read(text, unitField);
    if (!r.fits) return std::nullopt;
    // A range limit is single precision: the text is the float's, never more digits than it has.
    return unitField ? ctl::ExactNumberText(r.value, false, grouping)
                     : ctl::ExactNumberText(float(r.value), true, grouping);
}
}  // namespace

std::optional<std::string> ForEdit(const std::string& text, bool unitField) {
    return Shown(text, unitField, false);
}

std::optional<std::string> OnLeave(const std::string& text, bool unitField) {
    return Shown(text, unitField, true);
}

std::string ForDisplay(float value) {
    return ctl::ExactNumberText(value, true, true);
}

std::optional<std::string> Step(const std::string& text, int direction) {
    double d = 0;
    if (!ctl::ParseLocaleNumber(text, d)) return std::nullopt;
    d += direction > 0 ? 1 : -1;
    return ctl::NumberToText(d, 15);
}

double ToNumberValue(const std::string& text) {
    if (std::optional<double> day = DateMask::ToDay(text)) return *day;
    double d = 0;
    if (ctl::ParseLocaleNumber(text, d)) return d;
    std::string rest = text;
    if (size_t dot = rest.find('.'); dot != std::string::npos) rest.erase(dot, 1);
    return ctl::Val(rest);
}

}  // namespace karvex::NumberField
