#include <gtest/gtest.h>

#include <cmath>

#include "TestSupport.h"
#include "platform/com/Variant.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

using namespace ctl;

namespace {
double Parse(const std::string& s) {
    double d = -1;
    EXPECT_TRUE(ParseDate(s, d)) << s;
    return d;
}
}  // namespace

TEST(DateSerials, EpochLeapYearsAndTime) {
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(1900, 1, 1), 2);
    EXPECT_EQ(DateSerial(1999, 3, 31), 36250);
    EXPECT_EQ(DateSerial(2026, 12, 8), 46364);
    CivilDate c = SerialToCivil(DateSerial(2024, 2, 29) + TimeSerial(13, 45, 30));
    EXPECT_EQ(c.year, 2024);
    EXPECT_EQ(c.month, 2);
    EXPECT_EQ(c.day, 29);
    EXPECT_EQ(c.hour, 13);
    EXPECT_EQ(c.minute, 45);
    EXPECT_EQ(c.second, 30);
    EXPECT_FALSE(IsValidCivilDate(2026, 2, 29));
    EXPECT_TRUE(IsValidCivilDate(2000, 2, 29));
    EXPECT_FALSE(IsValidDateSerial(3e6));
}

TEST(DateSerials, DaysOutsideTheCalendarOverflowWhereverTheyAreConverted) {
    for (double serial : {1e300, -1e300, 3e6, -657435.0, std::nan("")}) {
        SCOPED_TRACE(serial);
        EXPECT_EQ(ErrorOf([&] { SerialToCivil(serial); }), 6);
        EXPECT_EQ(ErrorOf([&] { FormatDate(serial, "dd/mm/yyyy"); }), 6);
        EXPECT_EQ(ErrorOf([&] { DateToText(serial); }), 6);
        EXPECT_EQ(ErrorOf([&] { Variant::Date(serial); }), 6);
        EXPECT_EQ(ErrorOf([&] { Variant(serial).toDateSerial(); }), 6);
    }
    // The first and the last day still convert.
    EXPECT_EQ(SerialToCivil(kMinDateSerial).year, 100);
    EXPECT_EQ(FormatDate(kMaxDateSerial, "dd/mm/yyyy"), "31/12/9999");
}

TEST(DateSerials, TheCalendarsEdgesHoldForTimesAndRounding) {
    // A tenth of a second before the end rounds to a day the calendar does not have.
    const double lastTenth = DateSerial(9999, 12, 31) + 86399.9 / 86400.0;
    EXPECT_EQ(ErrorOf([&] { SerialToCivil(lastTenth); }), 6);
    EXPECT_EQ(ErrorOf([&] { FormatDate(lastTenth, "d/m/yyyy"); }), 6);
    EXPECT_EQ(FormatDate(DateSerial(9999, 12, 31) + TimeSerial(23, 59, 59), "d/m/yyyy hh:nn:ss"),
              "31/12/9999 23:59:59");
    // The first day's times lie below its serial (days count toward zero).
    const double firstNoon = kMinDateSerial - 0.5;
    CivilDate c = SerialToCivil(firstNoon);
    EXPECT_EQ(c.year, 100);
    EXPECT_EQ(c.month, 1);
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.hour, 12);
    EXPECT_EQ(Variant::Date(firstNoon).toDateSerial(), firstNoon);
    EXPECT_EQ(ErrorOf([&] { SerialToCivil(kMinDateSerial - 0.9999999); }), 6);
}

TEST(Clock, TodayCanBeFixed) {
    Clock::SetNow(DateSerial(2026, 12, 8) + 0.5);
    EXPECT_EQ(Clock::Today(), DateSerial(2026, 12, 8));
    EXPECT_EQ(Clock::CurrentYear(), 2026);
    Clock::SetNow(std::nullopt);
    EXPECT_GT(Clock::CurrentYear(), 2000);
}

TEST(NumberFormats, PatternsTheControlsUse) {
    EXPECT_EQ(FormatNumber(2.5, "0"), "3");
    EXPECT_EQ(FormatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(FormatNumber(2.6, "0"), "3");
    EXPECT_EQ(FormatNumber(12.345, "0.00"), "12.35");
    EXPECT_EQ(FormatNumber(0.5, "0.##"), "0.5");
    EXPECT_EQ(FormatNumber(0.126, "0.##"), "0.13");
    EXPECT_EQ(FormatNumber(5, "0.##"), "5");
    EXPECT_EQ(FormatNumber(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(FormatNumber(0, "#,##0"), "0");
    EXPECT_EQ(FormatNumber(-1500.4, "#,##0"), "-1,500");
    EXPECT_EQ(FormatNumber(-0.001, "0"), "0");
    LocaleGuard it(LocaleInfo::Italian());
    EXPECT_EQ(FormatNumber(12.34, "0.00"), "12,34");
    EXPECT_EQ(FormatNumber(1234567, "#,##0"), "1.234.567");
}

TEST(DateFormats, PatternsAndShortDate) {
    double d = DateSerial(1999, 3, 31);
    EXPECT_EQ(FormatDate(d, "dd/mm/yyyy"), "31/03/1999");
    EXPECT_EQ(FormatDate(d, "mm/dd/yy"), "03/31/99");
    EXPECT_EQ(FormatDate(d, "yy/mm/dd"), "99/03/31");
    EXPECT_EQ(FormatDate(d, "Short Date"), "31/03/1999");
    {
        LocaleGuard us(LocaleInfo::US());
        EXPECT_EQ(FormatDate(d, "Short Date"), "3/31/1999");
    }
    {
        LocaleGuard iso(LocaleInfo::ISO());
        EXPECT_EQ(FormatDate(d, "Short Date"), "1999-03-31");
        EXPECT_EQ(Format(Variant::Date(d), "dd/mm/yyyy"), "31-03-1999");  // the locale's separator
    }
    EXPECT_EQ(FormatDate(d + TimeSerial(9, 5, 0), "hh:nn"), "09:05");
}

TEST(DateReading, LenientInEveryOrder) {
    Clock::SetNow(DateSerial(2026, 12, 8));
    EXPECT_EQ(Parse("31/12/2026"), DateSerial(2026, 12, 31));
    EXPECT_EQ(Parse("1/2/2026"), DateSerial(2026, 2, 1));
    EXPECT_EQ(Parse("2026-12-31"), DateSerial(2026, 12, 31));
    EXPECT_EQ(Parse("31 Dec 2026"), DateSerial(2026, 12, 31));
    EXPECT_EQ(Parse("December 31, 2026"), DateSerial(2026, 12, 31));
    EXPECT_EQ(Parse("1/1/29"), DateSerial(2029, 1, 1));
    EXPECT_EQ(Parse("1/1/30"), DateSerial(1930, 1, 1));
    EXPECT_EQ(Parse("5/6"), DateSerial(2026, 6, 5));
    EXPECT_DOUBLE_EQ(Parse("01/01/2026 12:00"), DateSerial(2026, 1, 1) + 0.5);
    {
        LocaleGuard us(LocaleInfo::US());
        EXPECT_EQ(Parse("1/2/2026"), DateSerial(2026, 1, 2));
        EXPECT_EQ(Parse("31/12/2026"), DateSerial(2026, 12, 31));  // no month 31: read as day
        EXPECT_EQ(Parse("3/31/1999"), DateSerial(1999, 3, 31));
    }
    double d;
    EXPECT_FALSE(ParseDate("abc", d));
    EXPECT_FALSE(ParseDate("12", d));
    EXPECT_FALSE(ParseDate("31/02/2026", d));
    EXPECT_FALSE(ParseDate("1/2/3/4", d));
    EXPECT_FALSE(ParseDate("", d));
    EXPECT_FALSE(ParseDate("25:00", d));
    Clock::SetNow(std::nullopt);
}

TEST(NumberReading, LocaleAndPointDecimal) {
    double d;
    EXPECT_TRUE(ParseLocaleNumber(" -1,234.5e1 ", d));
    EXPECT_DOUBLE_EQ(d, -12345);
    EXPECT_FALSE(ParseLocaleNumber("1.2.3", d));
    EXPECT_FALSE(ParseLocaleNumber("-", d));
    EXPECT_FALSE(ParseLocaleNumber("1e", d));
    {
        LocaleGuard it(LocaleInfo::Italian());
        EXPECT_TRUE(ParseLocaleNumber("3,75", d));
        EXPECT_DOUBLE_EQ(d, 3.75);
    }
    EXPECT_DOUBLE_EQ(Val("  12.5abc"), 12.5);
    EXPECT_DOUBLE_EQ(Val("1 2 3"), 123);
    EXPECT_DOUBLE_EQ(Val("-3.5e2x"), -350);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val("0.##"), 0);
    EXPECT_DOUBLE_EQ(Val("1,5"), 1);
    // Beyond the range of a double: the infinity of its sign for the sort's reader.
    EXPECT_EQ(LeadingNumber("1e999"), HUGE_VAL);
    EXPECT_EQ(LeadingNumber(" -2.5E+400kg"), -HUGE_VAL);
    EXPECT_EQ(LeadingNumber("1e-999"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("12kg"), 12);
    EXPECT_EQ(LeadingNumber("abc"), 0);
}

TEST(NumberFormats, ExactTextReadsBackAsTheSameValue) {
    // Whole values keep every digit, grouped however large; fractions as many decimals as they
    // need, never rounded to a display precision.
    EXPECT_EQ(FormatNumber(1e16f, "#,##0"), "10,000,000,272,564,224");
    EXPECT_EQ(ExactNumberText(1e16f, true, true), "10,000,000,272,564,224");
    EXPECT_EQ(ExactNumberText(2147483647, false, true), "2,147,483,647");
    EXPECT_EQ(ExactNumberText(1234567.5f, true, true), "1234567.5");
    EXPECT_EQ(ExactNumberText(0.001f, true, false), "0.001");
    EXPECT_EQ(ExactNumberText(-0.0, true, true), "0");
    for (float v : {0.1f, -1234.5678f, 1.0f / 3, 1e-30f, 1e-45f, 3.4028235e38f, -8388607.5f}) {
        const std::string t = ExactNumberText(v, true, true);
        double back = 0;
        ASSERT_TRUE(ParseLocaleNumber(t, back)) << t;
        EXPECT_EQ(float(back), v) << t;
        EXPECT_EQ(t.find('E'), std::string::npos) << t;
    }
    double d = 0;
    EXPECT_EQ(ReadLocaleNumber(std::string(400, '9'), d), NumberReading::TooLarge);
    EXPECT_EQ(ReadLocaleNumber("1e39", d), NumberReading::Number);
    EXPECT_EQ(ReadLocaleNumber("9x", d), NumberReading::NotANumber);
    LocaleGuard it(LocaleInfo::Italian());
    EXPECT_EQ(ExactNumberText(-1234.25f, true, true), "-1234,25");
    EXPECT_EQ(ExactNumberText(3.4028235e38f, true, true).substr(0, 8), "340.282.");
}
