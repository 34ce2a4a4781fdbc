#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/com/RaisedError.h"
#include "platform/com/Variant.h"
#include "platform/sys/Locale.h"

using namespace ctl;

TEST(Variant, IntegerConversionsRoundHalfToEvenAndOverflow) {
    EXPECT_EQ(Variant(2.5).toInt16(), 2);
    EXPECT_EQ(Variant(3.5).toInt16(), 4);
    EXPECT_EQ(Variant(-2.5).toInt32(), -2);
    EXPECT_EQ(ErrorOf([] { Variant(40000.0).toInt16(); }), errOverflow);
    EXPECT_EQ(ErrorOf([] { Variant(3e9).toInt32(); }), errOverflow);
    EXPECT_EQ(ErrorOf([] { Variant(1e39).toSingle(); }), errOverflow);
    EXPECT_EQ(Variant(true).toInt32(), -1);
    EXPECT_EQ(Variant().toInt32(), 0);
}

TEST(Variant, TextToNumberFollowsTheLocale) {
    EXPECT_DOUBLE_EQ(Variant("1,234.5").toDouble(), 1234.5);
    EXPECT_EQ(ErrorOf([] { Variant("abc").toDouble(); }), errTypeMismatch);
    LocaleGuard it(LocaleInfo::Italian());
    EXPECT_DOUBLE_EQ(Variant("1.234,5").toDouble(), 1234.5);
    EXPECT_EQ(Variant(12.5).toString(), "12,5");
    EXPECT_EQ(Variant(0.1f).toString(), "0,1");
}

TEST(Variant, DefaultTextForms) {
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant(1.5).toString(), "1.5");
    EXPECT_EQ(Variant(100.0f).toString(), "100");
    EXPECT_EQ(Variant(1e20).toString(), "1E+20");
    EXPECT_EQ(Variant(1.0 / 3).toString(), "0.333333333333333");
    EXPECT_EQ(Variant::Date(DateSerial(2026, 12, 8)).toString(), "08/12/2026");
}

TEST(Variant, BooleansFromText) {
    EXPECT_TRUE(Variant("True").toBool());
    EXPECT_FALSE(Variant("false").toBool());
    EXPECT_TRUE(Variant("-1").toBool());
    EXPECT_EQ(ErrorOf([] { Variant("maybe").toBool(); }), errTypeMismatch);
}

TEST(Variant, IsNumericAndIsDate) {
    EXPECT_TRUE(IsNumeric(Variant()));
    EXPECT_TRUE(IsNumeric(Variant(" 12 ")));
    EXPECT_FALSE(IsNumeric(Variant("12a")));
    EXPECT_FALSE(IsNumeric(Variant::Date(1)));
    EXPECT_TRUE(IsDate(Variant("31/12/2026")));
    EXPECT_FALSE(IsDate(Variant("12")));
    EXPECT_FALSE(IsDate(Variant(12.0)));
}

TEST(StandardErrors, TextsOfTheNumbersTheControlsUse) {
    EXPECT_EQ(StandardErrorText(5), "Invalid procedure call or argument");
    EXPECT_EQ(StandardErrorText(6), "Overflow");
    EXPECT_EQ(StandardErrorText(7), "Out of memory");
    EXPECT_EQ(StandardErrorText(9), "Subscript out of range");
    EXPECT_EQ(StandardErrorText(13), "Type mismatch");
    EXPECT_EQ(StandardErrorText(382), "Set not supported at run time");
    RaisedError e(6);
    EXPECT_EQ(e.description(), "Overflow");
}
