// Editing rules of the settings dialog's fields, without windows.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "chart/settings/DateMask.h"
#include "chart/settings/NumberField.h"

using namespace karvex;
using DateMask::KeyResult;

namespace {
FieldText At(const std::string& text, int start, int length = 0) {
    FieldText f{text};
    f.select(start, length);
    return f;
}
}  // namespace

TEST(DateMaskEditing, DigitsOverwriteTheMaskAndSkipTheSlashes) {
    FieldText f = At(DateMask::kEmpty, 0, 10);  // all selected: start over at the day
    EXPECT_EQ(DateMask::KeyPress(f, U'5'), KeyResult::Swallowed);
    EXPECT_EQ(f.text, "5_/__/____");
    EXPECT_EQ(f.selStart, 1);
    EXPECT_EQ(f.selLength, 1);

    f = At("31/__/____", 2);  // caret on the slash: the digit goes to the month
    DateMask::KeyPress(f, U'1');
    EXPECT_EQ(f.text, "31/1_/____");
    EXPECT_EQ(f.selStart, 4);

    f = At("31/12/202_", 9, 1);
    EXPECT_EQ(DateMask::KeyPress(f, U'0'), KeyResult::NextField);
    EXPECT_EQ(f.text, "31/12/2020");

    f = At("31/12/2020", 10);  // nothing left to type over
    EXPECT_EQ(DateMask::KeyPress(f, U'7'), KeyResult::Swallowed);
    EXPECT_EQ(f.text, "31/12/2020");

    for (char32_t c : {U'a', U'/', char32_t(8)}) {
        f = At(DateMask::kEmpty, 0, 1);
        EXPECT_EQ(DateMask::KeyPress(f, c), KeyResult::Rejected);
        EXPECT_EQ(f.text, DateMask::kEmpty);
    }
    f = At("12/34/5678", 4, 4);  // most of the text selected from the month: month restarts
    DateMask::KeyPress(f, U'9');
    EXPECT_EQ(f.text, "__/9_/____");
}

TEST(DateMaskEditing, ArrowsAndClicksSelectOneDigit) {
    FieldText f = At("31/12/2020", 3, 1);
    EXPECT_TRUE(DateMask::KeyDown(f, 37));  // left over the slash
    EXPECT_EQ(f.selStart, 1);
    EXPECT_TRUE(DateMask::KeyDown(f, 37));
    EXPECT_EQ(f.selStart, 0);
    EXPECT_FALSE(DateMask::KeyDown(f, 37));  // at the start the key keeps its default
    f = At("31/12/2020", 4, 1);
    EXPECT_TRUE(DateMask::KeyDown(f, 39));
    EXPECT_EQ(f.selStart, 6);
    EXPECT_EQ(f.selLength, 1);
    EXPECT_FALSE(DateMask::KeyDown(f, 40));
    f = At("31/12/2020", 5);
    DateMask::SelectDigit(f);
    EXPECT_EQ(f.selStart, 6);
    EXPECT_EQ(f.selLength, 1);
    f = At("31/12/2020", 10);  // past the end nothing is selected
    DateMask::SelectDigit(f);
    EXPECT_EQ(f.selLength, 0);
}

TEST(DateMaskEditing, SpinStepsADayAcrossMonthsAndYears) {
    EXPECT_EQ(DateMask::Step("31/12/2020", 1), "01/01/2021");
    EXPECT_EQ(DateMask::Step("01/03/2024", -1), "29/02/2024");
    EXPECT_EQ(DateMask::Step("__/__/____", 1), std::nullopt);
    EXPECT_EQ(DateMask::Step("31/12/9999", 1), std::nullopt);  // no day after the last
}

TEST(NumberFieldEditing, KeysThatKeepTheTextANumberPass) {
    const std::string dot = ".";
    EXPECT_TRUE(NumberField::AcceptKey(At("", 0), U'-', false, dot));
    EXPECT_FALSE(NumberField::AcceptKey(At("", 0), U'-', true, dot));  // units have no sign
    EXPECT_FALSE(NumberField::AcceptKey(At("12", 2), U'x', false, dot));
    EXPECT_TRUE(NumberField::AcceptKey(At("12", 2), char32_t(8), false, dot));
    EXPECT_FALSE(NumberField::AcceptKey(At("", 0), char32_t(8), false, dot));
    EXPECT_TRUE(NumberField::AcceptKey(At("12", 2), U'.', false, dot));
    EXPECT_FALSE(NumberField::AcceptKey(At("1.2", 3), U'.', false, dot));
    EXPECT_TRUE(NumberField::AcceptKey(At("1.2", 0, 3), U'7', true, dot));  // replaces all
    EXPECT_FALSE(NumberField::AcceptKey(At("5", 1), U'-', false, dot));     // "5-"
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    EXPECT_TRUE(NumberField::AcceptKey(At("12", 2), U',', false, ","));
}

TEST(NumberFieldEditing, FocusAndDisplayKeepTheValue) {
    // Focus shows the value in full: a fraction survives, a grouped number is read whole.
    EXPECT_EQ(NumberField::ForEdit("0.25", false), "0.25");
    EXPECT_EQ(NumberField::ForEdit("1,500", false), "1500");
    EXPECT_EQ(NumberField::ForEdit("-0.5", false), "-0.5");
    EXPECT_EQ(NumberField::ForEdit("", false), "0");
    EXPECT_EQ(NumberField::ForEdit("12abc", false), "12");
    // Leaving: fractions as they are, whole numbers grouped.
    EXPECT_EQ(NumberField::OnLeave("0.5", false), "0.5");
    EXPECT_EQ(NumberField::OnLeave("1500", false), "1,500");
    EXPECT_EQ(NumberField::OnLeave("", false), "0");
    // Opening: every fraction shows, whatever the value's size.
    EXPECT_EQ(NumberField::ForDisplay(0.25f), "0.25");
    EXPECT_EQ(NumberField::ForDisplay(1234), "1,234");
    EXPECT_EQ(NumberField::ForDisplay(-0.5f), "-0.5");
    EXPECT_EQ(NumberField::ForDisplay(1.5f), "1.5");
    EXPECT_EQ(NumberField::ForDisplay(-3), "-3");
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    EXPECT_EQ(NumberField::ForEdit("1.500,25", false), "1500,25");
    EXPECT_EQ(NumberField::ForDisplay(1234.5f), "1234,5");
}

TEST(NumberFieldEditing, FocusInAndOutNeverChangesAValueInAnyLocale) {
    for (const auto& locale : {ctl::LocaleInfo::UK(), ctl::LocaleInfo::Italian()}) {
        LocaleGuard guard(locale);
        for (float v : {0.25f, 1234.f, -0.5f, 99.75f, -1e6f, 1234567.5f, 0.001f, 0.004f, 1e-30f,
                        1e16f, 3.4028235e38f, -3.4028235e38f, 1.f / 3, 8388607.5f}) {
            const std::string shown = NumberField::ForDisplay(v);
            const std::string edit = *NumberField::ForEdit(shown, false);
            const std::string left = *NumberField::OnLeave(edit, false);
            EXPECT_EQ(float(NumberField::Read(edit, false).value), v) << shown << " " << edit;
            EXPECT_EQ(float(NumberField::Read(left, false).value), v) << shown << " " << left;
        }
    }
    // Units are whole 32-bit numbers: exact to the last digit, never through single precision.
    EXPECT_EQ(NumberField::OnLeave("123456789", true), "123,456,789");
    EXPECT_EQ(NumberField::OnLeave("2147483647", true), "2,147,483,647");
    EXPECT_EQ(NumberField::ForEdit("2,147,483,647", true), "2147483647");
    EXPECT_EQ(NumberField::OnLeave("1234567.5", false), "1234567.5");
    EXPECT_EQ(NumberField::ForDisplay(0.001f), "0.001");
    EXPECT_EQ(NumberField::ForDisplay(1e16f), "10,000,000,272,564,224");
}

TEST(NumberFieldEditing, ANumberTheFieldCannotHoldKeepsItsText) {
    const std::string nines(41, '9');
    for (const std::string& text :
         {nines, std::string("1e39"), std::string(400, '9'), std::string("-3.5e38")}) {
        EXPECT_FALSE(NumberField::Read(text, false).fits) << text;
        EXPECT_EQ(NumberField::OnLeave(text, false), std::nullopt) << text;
        EXPECT_EQ(NumberField::ForEdit(text, false), std::nullopt) << text;
    }
    EXPECT_EQ(NumberField::OnLeave("2147483648", true), std::nullopt);  // a unit beyond 32 bits
    EXPECT_EQ(NumberField::OnLeave("-2147483649", true), std::nullopt);
    EXPECT_TRUE(NumberField::Read("1e38", false).fits);
}

TEST(NumberFieldEditing, SpinAndModeSwitchValues) {
    EXPECT_EQ(NumberField::Step("1", -1), "0");
    EXPECT_EQ(NumberField::Step("1,500", 1), "1501");
    EXPECT_EQ(NumberField::Step("", 1), std::nullopt);
    EXPECT_EQ(NumberField::ToNumberValue("02/01/1900"), 3);  // a date: its day number
    EXPECT_EQ(NumberField::ToNumberValue("1"), 1);
    EXPECT_EQ(NumberField::ToNumberValue("__/__/____"), 0);
    // A grouped day number is read whole, as it was shown.
    EXPECT_EQ(NumberField::ToNumberValue("46,027"), 46027);
    EXPECT_EQ(NumberField::ToNumberValue("1,234,567"), 1234567);
    LocaleGuard us(ctl::LocaleInfo::US());
    EXPECT_EQ(NumberField::ToNumberValue("05/01/2026"), 46027);  // day first in every locale
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    EXPECT_EQ(NumberField::ToNumberValue("46.027"), 46027);
}

TEST(DateMaskEditing, OneFormOfItsOwnWhateverTheLocale) {
    for (const auto& locale :
         {ctl::LocaleInfo::US(), ctl::LocaleInfo::ISO(), ctl::LocaleInfo::Italian()}) {
        LocaleGuard guard(locale);
        EXPECT_EQ(DateMask::FromDay(46027), "05/01/2026");
        EXPECT_EQ(DateMask::FromDay(46027.75), "05/01/2026");  // the day, not the time
        EXPECT_EQ(DateMask::ToDay("05/01/2026"), 46027);
        EXPECT_EQ(DateMask::ToDay("5/1/2026"), 46027);
        EXPECT_EQ(DateMask::Step("05/01/2026", 1), "06/01/2026");
        EXPECT_EQ(DateMask::Step("01/01/0100", -1), std::nullopt);
    }
    for (const char* bad : {"__/__/____", "12", "2026-01-05", "01/13/2026", "30/02/2026",
                            "05/01/26", "05/01/2026/1", "a5/01/2026", ""})
        EXPECT_EQ(DateMask::ToDay(bad), std::nullopt) << bad;
}
