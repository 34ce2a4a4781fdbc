#include "platform/sys/Locale.h"

#include <QLocale>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/com/Variant.h"

namespace ctl {

namespace {
LocaleInfo g_locale;
bool g_machineRead = false;

std::string FromQtDatePattern(const QString& q) {
    std::string out;
    for (qsizetype i = 0; i < q.size();) {
        QChar c = q[i];
        qsizetype n = 1;
        while (i + n < q.size() && q[i + n] == c) ++n;
        if (c == 'd')
            out += n >= 2 ? "dd" : "d";
        else if (c == 'M')
            out += n >= 2 ? "mm" : "m";
        else if (c == 'y')
            out += n >= 4 ? "yyyy" : "yy";
        else if (c == '\'') {
        } else
            out += QString(n, c).toStdString();
        i += n;
    }
    return out;
}
}  // namespace

LocaleInfo LocaleInfo::FromMachine() {
    QLocale q = QLocale::system();
    // The bare "C" locale has no regional habits of its own (its short date even spells the
    // month); users of such machines get the plain day/month/year form.
    if (q.language() == QLocale::C) return LocaleInfo::UK();
    LocaleInfo info;
    info.shortDate = FromQtDatePattern(q.dateFormat(QLocale::ShortFormat));
    for (char c : info.shortDate)
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            info.dateSeparator = std::string(1, c);
            break;
        }
    info.decimalSeparator = QString(q.decimalPoint()).toStdString();
    info.groupSeparator = QString(q.groupSeparator()).toStdString();
    if (info.shortDate.find('d') == std::string::npos) info = LocaleInfo::UK();
    return info;
}
LocaleInfo LocaleInfo::US() {
    return {"m/d/yyyy", "/", ".", ","};
}
LocaleInfo LocaleInfo::UK() {
    return {"dd/mm/yyyy", "/", ".", ","};
}
LocaleInfo LocaleInfo::Italian() {
    return {"dd/mm/yyyy", "/", ",", "."};
}
LocaleInfo LocaleInfo::ISO() {
    return {"yyyy-mm-dd", "-", ".", ","};
}

namespace Locale {
const LocaleInfo& Current() {
    if (!g_machineRead) {
        g_machineRead = true;
        g_locale = LocaleInfo::FromMachine();
    }
    return g_locale;
}
void SetCurrent(const LocaleInfo& info) {
    g_machineRead = true;
    g_locale = info;
}
void ResetToMachine() {
    g_machineRead = true;
    g_locale = LocaleInfo::FromMachine();
}
}  // namespace Locale

// ---- numbers -------------------------------------------------------------------------------

bool ParseLocaleNumber(const std::string& text, double& out) {
    return ReadLocaleNumber(text, out) == NumberReading::Number;
}

NumberReading ReadLocaleNumber(const std::string& text, double& out) {
    constexpr NumberReading kNone = NumberReading::NotANumber;
    const LocaleInfo& loc = Locale::Current();
    std::string s = text;
    // blanks, tabs and line ends around the number are allowed
    size_t b = s.find_first_not_of(" \t\r\n"), e = s.find_last_not_of(" \t\r\n");
    if (b == std::string::npos) return kNone;
    s = s.substr(b, e - b + 1);
    std::string norm;
    size_t i = 0;
    bool neg = false;
    if (s[i] == '+' || s[i] == '-') neg = s[i++] == '-';
    while (i < s.size() && s[i] == ' ') ++i;
    bool digits = false, inFraction = false;
    while (i < s.size()) {
        if (std::isdigit(static_cast<unsigned char>(s[i]))) {
            norm += s[i++];
            digits = true;
        } else if (!inFraction &&
                   s.compare(i, loc.decimalSeparator.size(), loc.decimalSeparator) == 0) {
            norm += '.';
            inFraction = true;
            i += loc.decimalSeparator.size();
        } else if (!inFraction && digits && !loc.groupSeparator.empty() &&
                   s.compare(i, loc.groupSeparator.size(), loc.groupSeparator) == 0) {
            i += loc.groupSeparator.size();
        } else {
            break;
        }
    }
    if (!digits) return kNone;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::string ex = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ex += s[j++];
        size_t k = j;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) ex += s[j++];
        if (j == k) return kNone;
        norm += ex;
        i = j;
    }
    if (i != s.size()) return kNone;
    double v = std::strtod(norm.c_str(), nullptr);
    if (!std::isfinite(v)) return NumberReading::TooLarge;
    out = neg ? -v : v;
    return NumberReading::Number;
}

double Val(const std::string& text) {
    double v = LeadingNumber(text);
    return std::isfinite(v) ? v : 0;
}

double LeadingNumber(const std::string& text) {
    std::string n;
    size_t i = 0;
    auto skip = [&] {
        while (i < text.size() &&
               (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'))
            ++i;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) n += text[i++];
    bool dot = false, any = false;
    for (;; ++i) {
        skip();
        if (i >= text.size()) break;
        char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            n += c;
            any = true;
        } else if (c == '.' && !dot) {
            n += c;
            dot = true;
        } else {
            break;
        }
    }
    if (!any) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string ex = "e";
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ex += text[j++];
        size_t k = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ex += text[j++];
        if (j > k) n += ex;
    }
    // Beyond the range of a double the reader gives the infinity of the number's sign.
    return std::strtod(n.c_str(), nullptr);
}

std::string NumberToText(double value, int sig) {
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", sig, value);
    std::string s = buf;
    std::string mant = s, exp;
    size_t e = s.find('E');
    if (e != std::string::npos) {
        mant = s.substr(0, e);
        exp = s.substr(e);
    }
    if (mant.find('.') != std::string::npos) {
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
    }
    size_t dot = mant.find('.');
    if (dot != std::string::npos) mant.replace(dot, 1, Locale::Current().decimalSeparator);
    return mant + exp;
}

namespace {
struct NumberPattern {
    int minInt = 0, minDec = 0, optDec = 0;
    bool grouping = false, hasPoint = false;
};
NumberPattern ParseNumberPattern(const std::string& p) {
    NumberPattern np;
    bool frac = false;
    for (char c : p) {
        if (c == '.') {
            frac = np.hasPoint = true;
        } else if (c == '0') {
            (frac ? np.minDec : np.minInt)++;
        } else if (c == '#') {
            if (frac) np.optDec++;
        } else if (c == ',' && !frac) {
            np.grouping = true;
        }
    }
    return np;
}
}  // namespace

namespace {
// Digits of a whole part with the locale's group separator between each three.
std::string Grouped(const std::string& digits, const std::string& separator) {
    std::string g;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        g += digits[i];
        const size_t rest = n - 1 - i;
        if (rest > 0 && rest % 3 == 0) g += separator;
    }
    return g;
}
}  // namespace

std::string FormatNumber(double value, const std::string& pattern) {
    const LocaleInfo& loc = Locale::Current();
    NumberPattern np = ParseNumberPattern(pattern);
    int decimals = np.minDec + np.optDec;
    if (!std::isfinite(value)) return value != value ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    // Round half away from zero on the value's 15-digit decimal form, so 2.675 rounds to 2.68.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.15g", std::fabs(value));
    double mag = std::strtod(buf, nullptr);
    double scale = std::pow(10.0, decimals);
    double scaled = std::round(mag * scale);
    if (std::isfinite(scaled) && std::fabs(scaled) < 9e15) {
        std::snprintf(buf, sizeof buf, "%.0f", scaled);
        std::string digits = buf;
        if (int(digits.size()) <= decimals)
            digits.insert(0, size_t(decimals - int(digits.size()) + 1), '0');
        std::string ip = digits.substr(0, digits.size() - size_t(decimals));
        std::string fp = digits.substr(digits.size() - size_t(decimals));
        std::snprintf(buf, sizeof buf, "%s", "");
        // assemble below
        while (!fp.empty() && int(fp.size()) > np.minDec && fp.back() == '0') fp.pop_back();
        while (ip.size() > 1 && ip[0] == '0') ip.erase(0, 1);
        if (ip == "0" && np.minInt == 0) ip.clear();
        while (int(ip.size()) < np.minInt) ip.insert(0, "0");
        if (np.grouping) ip = Grouped(ip, loc.groupSeparator);
        std::string out = ip;
        if (!fp.empty()) out += loc.decimalSeparator + fp;
        if (out.empty()) out = "0";
        bool zero = scaled == 0;
        return (value < 0 && !zero ? "-" : "") + out;
    }
    // Too large for exact digit work: print with the precision we have (such a value is whole).
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string out = buf;
    size_t dot = out.find('.');
    std::string ip = out.substr(0, dot);
    if (np.grouping) ip = Grouped(ip, loc.groupSeparator);
    if (dot != std::string::npos) ip += loc.decimalSeparator + out.substr(dot + 1);
    return (value < 0 ? "-" : "") + ip;
}

std::string ExactNumberText(double value, bool single, bool grouping) {
    if (!std::isfinite(value)) return FormatNumber(value, "0");
    const LocaleInfo& loc = Locale::Current();
    char buf[400];
    if (value == std::trunc(value)) {
        std::snprintf(buf, sizeof buf, "%.0f", std::fabs(value));  // every digit, exactly
        std::string digits = buf;
        return (value < 0 ? "-" : "") + (grouping ? Grouped(digits, loc.groupSeparator) : digits);
    }
    // A fraction: the shortest fixed-point digits that read back as the same value.
    auto r = single ? std::to_chars(buf, buf + sizeof buf, float(value), std::chars_format::fixed)
                    : std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (r.ec != std::errc()) return NumberToText(value, single ? 9 : 17);
    std::string out(buf, r.ptr);
    size_t dot = out.find('.');
    if (dot != std::string::npos) out.replace(dot, 1, loc.decimalSeparator);
    return out;
}

std::string FormatDate(double serial, const std::string& patternIn) {
    const LocaleInfo& loc = Locale::Current();
    std::string pattern = patternIn;
    if (EqualsNoCase(pattern, "Short Date")) pattern = loc.shortDate;
    CivilDate c = SerialToCivil(serial);
    std::string out;
    auto two = [](int v) {
        char b[16];
        std::snprintf(b, sizeof b, "%02d", v);
        return std::string(b);
    };
    bool lastWasHour = false;
    for (size_t i = 0; i < pattern.size();) {
        char ch = char(std::tolower(static_cast<unsigned char>(pattern[i])));
        size_t n = 1;
        while (i + n < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[i + n])) == ch)
            ++n;
        if (ch == 'd') {
            out += n >= 2 ? two(c.day) : std::to_string(c.day);
        } else if (ch == 'm' && !lastWasHour) {
            out += n >= 2 ? two(c.month) : std::to_string(c.month);
        } else if (ch == 'm' || ch == 'n') {
            out += n >= 2 ? two(c.minute) : std::to_string(c.minute);
        } else if (ch == 'y') {
            if (n >= 3) {
                out += std::to_string(c.year);
            } else {
                out += two(c.year % 100);
            }
        } else if (ch == 'h') {
            out += n >= 2 ? two(c.hour) : std::to_string(c.hour);
        } else if (ch == 's') {
            out += n >= 2 ? two(c.second) : std::to_string(c.second);
        } else if (ch == '/') {
            for (size_t k = 0; k < n; ++k) out += loc.dateSeparator;
        } else {
            out += pattern.substr(i, n);
        }
        if (std::isalpha(static_cast<unsigned char>(ch))) lastWasHour = ch == 'h';
        i += n;
    }
    return out;
}

std::string DateToText(double serial) {
    double day = std::trunc(serial);
    bool hasTime = serial != day;
    std::string date = FormatDate(serial, "Short Date");
    std::string time = FormatDate(serial, "hh:nn:ss");
    if (day == 0 && hasTime) return time;
    return hasTime ? date + " " + time : date;
}

std::string Format(const Variant& value, const std::string& pattern) {
    bool datePattern = EqualsNoCase(pattern, "Short Date");
    for (char c : pattern)
        if (std::strchr("dmyhnsDMYHNS", c)) datePattern = true;
    if (datePattern) return FormatDate(value.toDateSerial(), pattern);
    if (value.isString() && !IsNumeric(value)) return value.toString();
    return FormatNumber(value.toDouble(), pattern);
}

// ---- dates ---------------------------------------------------------------------------------

namespace {
struct DateToken {
    bool number;
    int value;
    int digits;
};

int MonthFromName(const std::string& word) {
    static const char* names[] = {"january",   "february", "march",    "april",
                                  "may",       "june",     "july",     "august",
                                  "september", "october",  "november", "december"};
    std::string w = ToLower(word);
    if (w.size() < 3) return 0;
    for (int m = 0; m < 12; ++m)
        if (std::string(names[m]).compare(0, w.size(), w) == 0) return m + 1;
    return 0;
}

// The locale's order of day, month and year: "dmy", "mdy" or "ymd".
std::string DateOrder() {
    std::string order;
    for (char c : Locale::Current().shortDate) {
        char l = char(std::tolower(static_cast<unsigned char>(c)));
        if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
    }
    return order.size() == 3 ? order : "dmy";
}

int WindowYear(const DateToken& t) {
    if (t.digits <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return t.value;
}

bool ParseTime(const std::string& s, double& frac) {
    int h = 0, m = 0, sec = 0;
    std::string rest = s;
    bool pm = false, am = false;
    std::string low = ToLower(Trim(rest));
    if (EndsWith(low, "pm")) pm = true;
    if (EndsWith(low, "am")) am = true;
    if (pm || am) low = Trim(low.substr(0, low.size() - 2));
    int n = 0;
    char tail = 0;
    int got = std::sscanf(low.c_str(), "%d:%d:%d%n%c", &h, &m, &sec, &n, &tail);
    if (got < 3) {
        sec = 0;
        tail = 0;
        got = std::sscanf(low.c_str(), "%d:%d%n%c", &h, &m, &n, &tail);
        if (got < 2) return false;
    }
    if (tail != 0) return false;
    if (pm && h < 12) h += 12;
    if (am && h == 12) h = 0;
    if (h < 0 || h > 23 || m < 0 || m > 59 || sec < 0 || sec > 59) return false;
    frac = TimeSerial(h, m, sec);
    return true;
}
}  // namespace

bool ParseDate(const std::string& textIn, double& serial) {
    std::string text = Trim(textIn);
    if (text.empty()) return false;
    // Split off a time part: the first token holding ':'.
    std::string datePart = text, timePart;
    size_t colon = text.find(':');
    if (colon != std::string::npos) {
        size_t start = text.rfind(' ', colon);
        if (start == std::string::npos) {
            datePart.clear();
            timePart = text;
        } else {
            datePart = Trim(text.substr(0, start));
            timePart = Trim(text.substr(start + 1));
        }
    }
    double frac = 0;
    if (!timePart.empty() && !ParseTime(timePart, frac)) return false;
    if (datePart.empty()) {
        serial = frac;
        return !timePart.empty();
    }
    // Tokens: numbers and month names; separators / - . , and blanks.
    std::vector<DateToken> toks;
    int monthName = 0;
    bool separated = false;
    for (size_t i = 0; i < datePart.size();) {
        unsigned char c = static_cast<unsigned char>(datePart[i]);
        if (std::isdigit(c)) {
            size_t j = i;
            while (j < datePart.size() && std::isdigit(static_cast<unsigned char>(datePart[j])))
                ++j;
            if (j - i > 4) return false;
            toks.push_back({true, std::atoi(datePart.substr(i, j - i).c_str()), int(j - i)});
            i = j;
        } else if (std::isalpha(c)) {
            size_t j = i;
            while (j < datePart.size() && std::isalpha(static_cast<unsigned char>(datePart[j])))
                ++j;
            int m = MonthFromName(datePart.substr(i, j - i));
            if (m == 0 || monthName) return false;
            monthName = m;
            toks.push_back({false, m, 0});
            i = j;
        } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ' ') {
            if (c != ' ') separated = true;
            ++i;
        } else {
            return false;
        }
    }
    if (!separated && !monthName) return false;  // "12" or "2026" alone is a number, not a date
    int y = 0, m = 0, d = 0;
    int today = Clock::CurrentYear();
    auto tryDmy = [&](int dd, int mm, int yy) {
        if (!IsValidCivilDate(yy, mm, dd)) return false;
        d = dd, m = mm, y = yy;
        return true;
    };
    std::string order = DateOrder();
    if (monthName) {
        std::vector<DateToken> nums;
        for (auto& t : toks)
            if (t.number) nums.push_back(t);
        if (nums.size() == 1) {
            if (nums[0].digits >= 3 || nums[0].value > 31) {
                if (!tryDmy(1, monthName, WindowYear(nums[0]))) return false;
            } else if (!tryDmy(nums[0].value, monthName, today)) {
                return false;
            }
        } else if (nums.size() == 2) {
            bool yearFirst = nums[0].digits >= 3 || nums[0].value > 31;
            const DateToken& yt = yearFirst ? nums[0] : nums[1];
            const DateToken& dt = yearFirst ? nums[1] : nums[0];
            if (!tryDmy(dt.value, monthName, WindowYear(yt))) return false;
        } else {
            return false;
        }
    } else if (toks.size() == 3) {
        const DateToken &a = toks[0], &b = toks[1], &c = toks[2];
        bool ok;
        if (a.digits >= 3 || a.value > 31 || order == "ymd") {
            ok = tryDmy(c.value, b.value, WindowYear(a)) || tryDmy(b.value, c.value, WindowYear(a));
        } else if (order == "mdy") {
            ok = tryDmy(b.value, a.value, WindowYear(c)) || tryDmy(a.value, b.value, WindowYear(c));
        } else {
            ok = tryDmy(a.value, b.value, WindowYear(c)) || tryDmy(b.value, a.value, WindowYear(c));
        }
        if (!ok) return false;
    } else if (toks.size() == 2) {
        const DateToken &a = toks[0], &b = toks[1];
        bool ok;
        if (b.digits >= 3 || b.value > 31) {
            ok = tryDmy(1, a.value, WindowYear(b));  // month and year
        } else if (a.digits >= 3 || a.value > 31) {
            ok = tryDmy(1, b.value, WindowYear(a));
        } else if (order == "mdy") {
            ok = tryDmy(b.value, a.value, today) || tryDmy(a.value, b.value, today);
        } else {
            ok = tryDmy(a.value, b.value, today) || tryDmy(b.value, a.value, today);
        }
        if (!ok) return false;
    } else {
        return false;
    }
    serial = DateSerial(y, m, d) + frac;
    return true;
}

}  // namespace ctl
