#pragma once
#include <string>

#include "platform/sys/DateSerial.h"
#include "platform/sys/Text.h"

namespace ctl {

class Variant;

// The user's regional settings as the controls see them. Date patterns use the tokens
// d dd m mm yy yyyy (and h hh nn ss for time); "/" in a pattern prints the date separator.
struct LocaleInfo {
    std::string shortDate = "dd/mm/yyyy";
    std::string dateSeparator = "/";
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    static LocaleInfo FromMachine();  // the machine's locale through the toolkit
    static LocaleInfo US();           // m/d/yyyy, "." decimals
    static LocaleInfo UK();           // dd/mm/yyyy, "." decimals
    static LocaleInfo Italian();      // dd/mm/yyyy, "," decimals, "." groups
    static LocaleInfo ISO();          // yyyy-mm-dd, "." decimals
};

namespace Locale {
const LocaleInfo& Current();
void SetCurrent(const LocaleInfo& info);
void ResetToMachine();
}  // namespace Locale

// Reads text as a number in the user's locale (sign, group separators, decimal separator,
// exponent); false when the text is not a number.
bool ParseLocaleNumber(const std::string& text, double& out);
// The same reading, telling a number beyond double range ("1e400", four hundred nines) from
// text that is no number at all.
enum class NumberReading { Number, TooLarge, NotANumber };
NumberReading ReadLocaleNumber(const std::string& text, double& out);
// Reads text as a date (and optional time) the way users write them: day, month and year in
// the locale's order, falling back to the other order when that is no valid date
// ("31/12/2026" is 31 December everywhere), four-digit years first as in "2026-12-31", English
// month names, two-digit years 00-29 as 20xx and 30-99 as 19xx, a missing year as this year.
bool ParseDate(const std::string& text, double& serial);
// Point-decimal leading number of a text, ignoring blanks; 0 when none.
double Val(const std::string& text);
// The same reading, but a number beyond the range of a double (an exponent such as "1e999")
// is the infinity of its sign rather than 0, so it orders after (or before) every other.
double LeadingNumber(const std::string& text);

// Default text forms: numbers with the given significant digits (7 single, 15 double) and the
// locale's decimal separator; dates in the short date form, times as hh:nn:ss.
std::string NumberToText(double value, int significantDigits);
// The shortest text in the user's locale, without exponent, that reads back as the same value
// (as the same single-precision value when `single`): whole values with all their digits
// (grouped when asked), fractions with as many decimals as they need ("0.001", "1234567.5").
std::string ExactNumberText(double value, bool single, bool grouping);
std::string DateToText(double serial);

// Formats with a number pattern ("0", "0.00", "0.##", "#,##0"): '0' a required digit,
// '#' an optional one, ',' in the whole part asks for digit grouping. Rounds half away from
// zero. A pattern with only optional decimals prints no separator when none remain.
std::string FormatNumber(double value, const std::string& pattern);
// Formats a serial with a date pattern, or with "Short Date".
std::string FormatDate(double serial, const std::string& pattern);
// Number or date pattern, chosen by the pattern's letters.
std::string Format(const Variant& value, const std::string& pattern);

}  // namespace ctl
