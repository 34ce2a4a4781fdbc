#pragma once
#include <optional>
#include <string>

#include "chart/settings/FieldText.h"

namespace karvex {

// Overwrite editing of a date typed into the mask "__/__/____": day at 0-1, month at 3-4,
// year at 6-9; the caret skips the two slashes.
namespace DateMask {

constexpr const char* kEmpty = "__/__/____";
constexpr int kLength = 10;

enum class KeyResult {
    Rejected,   // not a digit: beep and swallow
    Swallowed,  // handled (or nothing left to type over)
    NextField,  // the last digit went in: the focus moves on
};

// A typed character: digits overwrite the selected place and move on.
KeyResult KeyPress(FieldText& f, char32_t key);
// Left (37) and right (39) arrows step over the slashes one character at a time; true when
// the key is swallowed.
bool KeyDown(FieldText& f, int keyCode);
// After a click: the character at the caret (the next one on a slash) is selected.
void SelectDigit(FieldText& f);
// The field's one written form of a date, whatever the user's locale: the day of a day
// number as "dd/mm/yyyy" (the time of day is not shown).
std::string FromDay(double serial);
// The day number of a date in that form (day and month may have one digit, the year has
// four); nothing for any other text or a day that does not exist.
std::optional<double> ToDay(const std::string& text);
// A spin step: the date one day later (direction >= 1) or earlier, as dd/mm/yyyy; nothing
// when the text holds no date.
std::optional<std::string> Step(const std::string& text, int direction);

}  // namespace DateMask
}  // namespace karvex
