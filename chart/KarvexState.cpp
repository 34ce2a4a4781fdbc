#include "chart/KarvexState.h"

#include "common/fabout.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

namespace karvex {

namespace {
constexpr const char* kLibraryTitle = "Karvex";
constexpr const char* kCopyrightYear = "2026";
}  // namespace

LibraryState& Library() {
    static LibraryState state;
    return state;
}

void RefreshLibraryState() {
    LibraryState& s = Library();
    s.CopyrightYear = kCopyrightYear;
    s.LibraryTitle = kLibraryTitle;
    AboutTexts about;
    about.Title = kLibraryTitle;
    about.CopyrightYear = kCopyrightYear;
    about.Major = kVersionMajor;
    about.Minor = kVersionMinor;
    about.Revision = kVersionRevision;
    about.Separator = " -  version ";
    about.RevisionOnlyWhenSet = false;
    about.TrailingBlanks = 31;
    about.CentreOnPointer = true;
    about.ModelessAllowed = false;
    SetAboutTexts(about);
    s.ShortDatePattern = DetectShortDatePattern();
    s.DecimalSeparator = DetectDecimalSeparator();
}

std::string DetectShortDatePattern() {
    // 31 March 1999 is built directly: reading "31/03/1999" as text would itself depend on
    // the order being detected.
    std::string text = ctl::DateToText(ctl::DateSerial(1999, 3, 31));
    size_t slash = text.find('/');
    if (slash == std::string::npos) return "dd/mm/yy";
    std::string first = text.substr(0, slash), rest = text.substr(slash + 1);
    size_t next = rest.find('/');
    if (next == std::string::npos) return "dd/mm/yy";
    double b = ctl::Val(first), h = ctl::Val(rest.substr(0, next));
    if (b == 31 && h == 3) return "dd/mm/yy";
    if (b == 3 && h == 31) return "mm/dd/yy";
    if (first.size() >= 2 && first.compare(first.size() - 2, 2, "99") == 0 && h == 3)
        return "yy/mm/dd";
    return "dd/mm/yy";
}

std::string DetectDecimalSeparator() {
    return ctl::FormatNumber(12.34, "0.00").find('.') != std::string::npos ? "." : ",";
}

}  // namespace karvex
