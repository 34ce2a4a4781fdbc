#include "chart/settings/DateMask.h"

#include <cmath>
#include <cstdio>

#include "platform/sys/DateSerial.h"
#include "platform/sys/Text.h"

namespace karvex::DateMask {

namespace {
bool IsSlashPlace(int pos) {
    return pos == 2 || pos == 5;
}
}  // namespace

KeyResult KeyPress(FieldText& f, char32_t key) {
    if (key < '0' || key > '9') return KeyResult::Rejected;
    int n = f.selLength;
    if (n >= 3) {
        // Most of the text selected: start over on an empty mask, in the part the selection
        // began in.
        int start = f.selStart;
        f.text = kEmpty;
        f.select(start <= 1 ? 0 : start <= 4 ? 3 : 6, 1);
    } else if (n == 0) {
        if (f.selStart > kLength - 1) return KeyResult::Swallowed;
        f.select(IsSlashPlace(f.selStart) ? f.selStart + 1 : f.selStart, 1);
    }
    f.replaceSelection(std::string(1, char(key)));
    if (f.selStart > kLength - 1) return KeyResult::NextField;
    f.select(IsSlashPlace(f.selStart) ? f.selStart + 1 : f.selStart, 1);
    return KeyResult::Swallowed;
}

bool KeyDown(FieldText& f, int keyCode) {
    if (keyCode == 37) {
        if (f.selStart == 0) return false;
        f.select(f.selStart - 1, 1);
        if (f.selStart == 0) return true;
        if (f.at(f.selStart) == '/') f.select(f.selStart - 1, 1);
        return true;
    }
    if (keyCode == 39) {
        f.select(f.selStart + 1, 1);
        if (f.at(f.selStart) == '/') f.select(f.selStart + 1, 1);
        return true;
    }
    return false;
}

void SelectDigit(FieldText& f) {
    f.select(f.selStart, 1);
    if (f.at(f.selStart) == '/') f.select(f.selStart + 1, 1);
}

std::string FromDay(double serial) {
    ctl::CivilDate c = ctl::SerialToCivil(std::trunc(serial));
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.day, c.month, c.year);
    return buf;
}

std::optional<double> ToDay(const std::string& textIn) {
    const std::string text = ctl::Trim(textIn);
    int parts[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    int part = 0;
    for (char ch : text) {
        if (ch == '/') {
            if (++part > 2) return std::nullopt;
        } else if (ch >= '0' && ch <= '9') {
            if (++digits[part] > 4) return std::nullopt;
            parts[part] = parts[part] * 10 + (ch - '0');
        } else {
            return std::nullopt;
        }
    }
    const int day = parts[0], month = parts[1], year = parts[2];
    if (part != 2 || digits[0] < 1 || digits[0] > 2 || digits[1] < 1 || digits[1] > 2 ||
        digits[2] != 4 || !ctl::IsValidCivilDate(year, month, day))
        return std::nullopt;
    return ctl::DateSerial(year, month, day);
}

std::optional<std::string> Step(const std::string& text, int direction) {
    std::optional<double> serial = ToDay(text);
    if (!serial) return std::nullopt;
    double day = *serial + (direction < 1 ? -1 : 1);
    if (!ctl::IsValidDateSerial(day)) return std::nullopt;
    return FromDay(day);
}

}  // namespace karvex::DateMask
