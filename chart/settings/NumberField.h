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

// The field's value: the text read under the user's locale (grouping included), else its
// leading point-decimal number; 0 for an empty text.
float Read(const std::string& text);
// The text shown while the field has the focus: the value without grouping, in the shortest
// form that reads back to the same value (so a fraction is never lost).
std::string ForEdit(const std::string& text);
// The text shown after the focus left a number field: whole values grouped ("#,##0"), others
// with up to two decimals ("0.##"), 0 for an empty text.
std::string OnLeave(const std::string& text, const std::string& dec);
// The text shown when the dialog opens: whole values grouped, values with a fraction with up
// to two decimals whatever their size.
std::string ForDisplay(float value);
// A spin step: the value plus or minus one in the user's locale; nothing when the text is no
// number.
std::optional<std::string> Step(const std::string& text, int direction);
// A range field's value for switching its axis between numbers and dates: the day number of
// a date, else the leading point-decimal number of the text without its first ".".
double ToNumberValue(const std::string& text);

}  // namespace NumberField
}  // namespace karvex
