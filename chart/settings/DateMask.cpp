#include "chart/settings/DateMask.h"

#include <cmath>

#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

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

std::optional<std::string> Step(const std::string& text, int direction) {
    double serial = 0;
    if (!ctl::ParseDate(text, serial)) return std::nullopt;
    double day = std::trunc(serial) + (direction < 1 ? -1 : 1);
    if (!ctl::IsValidDateSerial(day)) return std::nullopt;
    return ctl::FormatDate(day, "dd/mm/yyyy");
}

}  // namespace karvex::DateMask
