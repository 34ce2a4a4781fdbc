#pragma once
#include <optional>
#include <string>

#include "chart/settings/FieldText.h"

namespace karvex {

// Editing rules of the settings dialog's number fields. `dec` is the library's decimal
// separator ("." or ",").
namespace NumberField {

// Whether a typed character may go in (the field then inserts it as usual); a refused one is
// beeped and swallowed. Only characters that keep the text a number (or a lone "-") pass;
// unit fields take no "-".
bool AcceptKey(const FieldText& f, char32_t key, bool unitField, const std::string& dec);

// What a number field holds: its text read under the user's locale (grouping included), else
// its leading point-decimal number; 0 for an empty text. `fits` is false for a number the
// field's type cannot take (beyond single precision for a range, beyond a 32-bit integer for
// a unit): such a text is kept as typed, so applying can report it.
struct Reading {
    double value = 0;
    bool fits = true;
};
Reading Read(const std::string& text, bool unitField);
// The text shown while the field has the focus: the value without grouping, in the shortest
// form that reads back as the same value; nothing (keep the text) when it does not fit.
std::optional<std::string> ForEdit(const std::string& text, bool unitField);
// The text shown after the focus left a number field: the same, whole values grouped.
std::optional<std::string> OnLeave(const std::string& text, bool unitField);
// The text a range limit opens with: the value exactly as it reads back, whole values grouped.
std::string ForDisplay(float value);
// A spin step: the value plus or minus one in the user's locale; nothing when the text is no
// number.
std::optional<std::string> Step(const std::string& text, int direction);
// A range field's value for switching its axis between numbers and dates: the day number of
// a date (the dialog's day/month/year form), else the number as the field reads it (grouping
// included), else the leading point-decimal number of the text without its first ".".
double ToNumberValue(const std::string& text);

}  // namespace NumberField
}  // namespace karvex
