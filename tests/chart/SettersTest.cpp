#include <string>
#include <vector>

#include "ChartFixture.h"
#include "TestSupport.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"

using Keys = std::vector<std::string>;

TEST_F(ChartTest, StepAndDelayAreClamped) {
    Create();
    chart->setBaseStep(-5);
    EXPECT_EQ(chart->BaseStep(), 0);
    chart->setBaseStep(70000);
    EXPECT_EQ(chart->BaseStep(), 64000);
    chart->setDelay(-1);
    EXPECT_EQ(chart->Delay(), 0);
    chart->setDelay(100000);
    EXPECT_EQ(chart->Delay(), 60000);
    EXPECT_EQ(site.changed, (Keys{"BaseStep", "BaseStep", "Delay", "Delay"}));
}

TEST_F(ChartTest, DrawWidthIsHeldToTheSurface) {
    Create();
    chart->setDrawWidth(0);
    EXPECT_EQ(chart->DrawWidth(), 1);
    chart->ctl::UserControl::setSize(300, 3000);  // a surface 300 twips wide
    chart->setDrawWidth(200);
    EXPECT_EQ(chart->DrawWidth(), 150);
    EXPECT_EQ(chart->pic_main->DrawWidth(), 150);
    chart->ctl::UserControl::setSize(0, 3000);  // an empty surface still draws one pixel wide
    chart->setDrawWidth(5);
    EXPECT_EQ(chart->DrawWidth(), 1);
}

TEST_F(ChartTest, ClipControlsStaysTrueAndWarnsAtDesignTime) {
    Create(false);
    chart->setClipControls(false);
    EXPECT_TRUE(chart->ClipControls());
    EXPECT_TRUE(site.changed.empty());
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text,
              "Read-only property.\r\r'ClipControls' property must be set to 'True'");
    EXPECT_EQ(prompter->records()[0].icon, ctl::MsgIcon::Exclamation);

    Create(true);
    chart->setClipControls(false);
    EXPECT_TRUE(chart->ClipControls());
    EXPECT_EQ(prompter->records().size(), 1u);  // no warning at run time
}

TEST_F(ChartTest, FlagExitCannotBeSetAtDesignTime) {
    Create(false);
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->setFlagExit(true); }, &text), 382);
    EXPECT_EQ(text, ctl::StandardErrorText(382));
    EXPECT_FALSE(chart->FlagExit());

    Create(true);
    chart->setFlagExit(true);
    EXPECT_TRUE(chart->FlagExit());
    EXPECT_EQ(site.changed, Keys{"FlagExit"});
}

TEST_F(ChartTest, TitleIsTrimmedAndPrintedAtRunTime) {
    Create(true);
    chart->pic_main->setRecording(true);
    chart->setTitle("  Sales 2026  ");
    EXPECT_EQ(chart->Title(), "Sales 2026");
    auto texts = Ops(ctl::DrawOp::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Sales 2026");
    EXPECT_EQ(texts[0].x1, chart->TextWidth("x"));
    EXPECT_EQ(texts[0].y1, 0);
    EXPECT_EQ(texts[0].color, 0x00FFFFu);
    EXPECT_EQ(chart->pic_main->ForeColor(), 0xFFu);  // the pen is back to ForeColor

    Create(false);
    chart->pic_main->setRecording(true);
    chart->setTitle(" Plan ");
    EXPECT_EQ(chart->Title(), "Plan");
    EXPECT_TRUE(Ops(ctl::DrawOp::Text).empty());
    EXPECT_EQ(site.changed, Keys{"Title"});
}

TEST_F(ChartTest, ColoursAndSizesGoWhereTheyBelong) {
    Create();
    chart->setBackColor(0x123456);
    EXPECT_EQ(chart->pic_main->BackColor(), 0x123456u);
    EXPECT_EQ(chart->ctl::UserControl::BackColor(), 0x123456u);
    chart->setForeColor(0x00AA00);
    EXPECT_EQ(chart->pic_main->ForeColor(), 0x00AA00u);
    EXPECT_EQ(chart->pic_main->FillColor(), 0x00AA00u);
    chart->setMapStyle(0);
    chart->setForeColor(0x0000AA);  // map mode keeps the surface pen
    EXPECT_EQ(chart->ForeColor(), 0x0000AAu);
    EXPECT_EQ(chart->pic_main->ForeColor(), 0x00AA00u);
    chart->setWidth(4500);
    chart->setHeight(3000);
    EXPECT_EQ(chart->ctl::UserControl::Width(), 4500);
    EXPECT_EQ(chart->pic_main->Height(), 3000);
    chart->setEnabled(false);
    EXPECT_FALSE(chart->ctl::UserControl::Enabled());
    EXPECT_EQ(site.changed, (Keys{"BackColor", "ForeColor", "MapStyle", "ForeColor", "Width",
                                  "Height", "Enabled"}));
}

TEST_F(ChartTest, EnumeratedPropertiesRefuseUnknownValues) {
    Create();
    EXPECT_EQ(ErrorOf([&] { chart->setMapStyle(2); }), 380);
    EXPECT_EQ(ErrorOf([&] { chart->setBorderStyle(-1); }), 380);
    EXPECT_EQ(ErrorOf([&] { chart->setFont(nullptr); }), 380);
    EXPECT_EQ(chart->MapStyle(), 1);
    EXPECT_TRUE(site.changed.empty());
}

TEST_F(ChartTest, RefusedValuesShowAnErrorBoxAtDesignTime) {
    Create(false);
    auto font = chart->Font();
    EXPECT_EQ(ErrorOf([&] { chart->setMapStyle(2); }), 0);
    EXPECT_EQ(ErrorOf([&] { chart->setBorderStyle(5); }), 0);
    EXPECT_EQ(ErrorOf([&] { chart->setFont(nullptr); }), 0);
    const auto& shown = prompter->records();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, "Invalid property value: MapStyle takes 0 (map) or 1 (Scale System)");
    EXPECT_EQ(shown[1].text,
              "Invalid property value: BorderStyle takes 0 (None) or 1 (Fixed Single)");
    EXPECT_EQ(shown[2].text, "Invalid property value: Font needs a font object");
    for (const auto& r : shown) EXPECT_EQ(r.icon, ctl::MsgIcon::Critical);
    EXPECT_EQ(chart->MapStyle(), 1);
    EXPECT_EQ(chart->BorderStyle(), 0);
    EXPECT_EQ(chart->Font(), font);
    EXPECT_TRUE(site.changed.empty());
}

TEST_F(ChartTest, RangeLetTakesNumbersDatesOrNothing) {
    Create();
    chart->setMinX(2.6);
    EXPECT_EQ(chart->MinX(), 2.6f);  // the fraction is kept
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_EQ(site.changed, (Keys{"XAsDate", "MinX"}));
    site.changed.clear();

    chart->setMaxX("1.5");  // numeric text is a number, never day 1 of May
    EXPECT_EQ(chart->MaxX(), 1.5f);
    EXPECT_FALSE(chart->XAsDate());
    chart->setMaxX(100);
    site.changed.clear();

    chart->setMinX("abc");
    EXPECT_EQ(chart->MinX(), 2.6f);
    EXPECT_TRUE(site.changed.empty());

    chart->setMaxY("15/03/2026");
    EXPECT_TRUE(chart->YAsDate());
    EXPECT_EQ(chart->MaxY(), float(ctl::DateSerial(2026, 3, 15)));
    chart->setMinY(ctl::Variant::Date(ctl::DateSerial(2026, 1, 2)));
    EXPECT_EQ(chart->MinY(), float(ctl::DateSerial(2026, 1, 2)));
    EXPECT_EQ(site.changed, (Keys{"YAsDate", "MaxY", "YAsDate", "MinY"}));

    chart->setMaxX("1.234,5");  // not a number in this locale, not a date
    EXPECT_EQ(chart->MaxX(), 100);
}

TEST_F(ChartTest, RangeValuesBeyondSinglePrecisionRaiseOverflow) {
    Create();
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->setMaxX(1e39); }, &text), ctl::errOverflow);
    EXPECT_NE(text.find("MaxX"), std::string::npos);
    EXPECT_EQ(ErrorOf([&] { chart->setMinY("-5e40"); }), ctl::errOverflow);
    EXPECT_EQ(chart->MaxX(), 100);
    EXPECT_EQ(chart->MinY(), 0);
    chart->setMaxX(3e38);
    EXPECT_FLOAT_EQ(chart->MaxX(), 3e38f);
}

TEST_F(ChartTest, DateAxisDefaultsToTheCurrentYear) {
    ctl::Clock::SetNow(ctl::DateSerial(2030, 2, 1));
    Create();
    chart->setXAsDate(true);
    EXPECT_EQ(chart->MinX(), float(ctl::DateSerial(2030, 1, 1)));
    EXPECT_EQ(chart->MaxX(), float(ctl::DateSerial(2030, 12, 31)));
    EXPECT_EQ(site.changed, (Keys{"MinX", "MaxX", "XAsDate"}));

    // Reading a date axis left at 0 .. 100 gives the current year as well.
    ctl::PropertyBag bag;
    bag.WriteProperty("YAsDate", true, false);
    bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(bag);
    chart->setMapStyle(1);
    EXPECT_EQ(chart->MinY(), float(ctl::DateSerial(2030, 1, 1)));
    EXPECT_EQ(chart->MaxY(), float(ctl::DateSerial(2030, 12, 31)));
}

TEST_F(ChartTest, DateAxisIsRefusedInMapMode) {
    Create(true);
    chart->setMapStyle(0);
    chart->setMinX(5);
    chart->setUnitX(3);
    site.changed.clear();
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->setXAsDate(true); }, &text), 1030);
    EXPECT_EQ(text, "Invalid setting if 'MapStyle' = 0");
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_EQ(chart->MinX(), 0);
    EXPECT_EQ(chart->MaxX(), 100);
    EXPECT_EQ(chart->UnitX(), 10);
    EXPECT_EQ(site.changed, (Keys{"MinX", "MaxX", "UnitX", "XAsDate"}));

    Create(false);  // at design time the same text shows in an error box
    chart->setMapStyle(0);
    EXPECT_EQ(ErrorOf([&] { chart->setYAsDate(true); }), 0);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text, "Invalid setting if 'MapStyle' = 0");
    EXPECT_EQ(prompter->records()[0].icon, ctl::MsgIcon::Critical);
    EXPECT_FALSE(chart->YAsDate());
}

TEST_F(ChartTest, UnitsAndMarginsAreClamped) {
    Create();
    chart->ctl::UserControl::setSize(6000, 3000);
    chart->setUnitX(0);
    EXPECT_EQ(chart->UnitX(), 1);
    chart->setUnitY(-4);
    EXPECT_EQ(chart->UnitY(), 1);
    chart->setLeftScale(5000);
    EXPECT_EQ(chart->LeftScale(), 3000);
    chart->setRightScale(-10);
    EXPECT_EQ(chart->RightScale(), 0);
    chart->setTopScale(2000);
    EXPECT_EQ(chart->TopScale(), 1500);
    chart->setBottomScale(300);
    EXPECT_EQ(chart->BottomScale(), 300);
    EXPECT_EQ(site.changed,
              (Keys{"UnitX", "UnitY", "LeftScale", "RightScale", "TopScale", "BottomScale"}));
}
