#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ChartFixture.h"
#include "chart/KarvexState.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"

using ctl::DrawOp;

namespace {
constexpr float kTick = 90;  // six pixels of 15 twips

bool SameLine(const DrawOp& op, float x1, float y1, float x2, float y2) {
    return op.kind == DrawOp::Line && std::fabs(op.x1 - x1) < 0.01f &&
           std::fabs(op.y1 - y1) < 0.01f && std::fabs(op.x2 - x2) < 0.01f &&
           std::fabs(op.y2 - y2) < 0.01f;
}

int CountLines(const std::vector<DrawOp>& ops, float x1, float y1, float x2, float y2) {
    int n = 0;
    for (const auto& op : ops) n += SameLine(op, x1, y1, x2, y2);
    return n;
}
}  // namespace

class ScaleTest : public ChartTest {
  protected:
    // A new run-time chart recording its drawing, 9600 x 6195 twips of surface.
    karvex::ucKarvex& Chart() {
        Create();
        chart->pic_main->setRecording(true);
        return *chart;
    }
    const std::vector<DrawOp>& All() const { return chart->pic_main->ops(); }
    // Texts printed at one height (labels of one side), in order.
    std::vector<DrawOp> TextsAtY(float y) const {
        std::vector<DrawOp> out;
        for (const auto& op : Ops(DrawOp::Text))
            if (std::fabs(op.y1 - y) < 0.01f) out.push_back(op);
        return out;
    }
    std::vector<DrawOp> TextsAtX(float x) const {
        std::vector<DrawOp> out;
        for (const auto& op : Ops(DrawOp::Text))
            if (std::fabs(op.x1 - x) < 0.01f) out.push_back(op);
        return out;
    }
    float BelowY() const { return chart->Frame().SurfaceH - 240 + 60; }
};

TEST_F(ScaleTest, DefaultFrameDrawsBordersTicksAndLabelsOnFourSides) {
    Chart();
    ASSERT_TRUE(chart->SetScaleUnit());
    const auto& f = chart->Frame();
    ASSERT_EQ(f.SurfaceW, 9600);
    ASSERT_EQ(f.SurfaceH, 6195);
    const auto& ops = All();
    ASSERT_GE(ops.size(), 3u);
    EXPECT_EQ(ops[0].kind, DrawOp::Cls);
    EXPECT_TRUE(SameLine(ops[1], 480, 5955, 9120, 5955));
    EXPECT_TRUE(SameLine(ops[2], 480, 240, 9120, 240));
    EXPECT_EQ(CountLines(ops, 480, 240, 480, 5955), 2);    // left border, and the Y axis at 0
    EXPECT_EQ(CountLines(ops, 9120, 240, 9120, 5955), 1);  // right border

    std::vector<DrawOp> below = TextsAtY(BelowY()), above = TextsAtY(0);
    ASSERT_EQ(below.size(), 11u);
    ASSERT_EQ(above.size(), 11u);
    for (int i = 0; i <= 10; ++i) {
        const float sx = 480 + i * 864.0f;
        const std::string label = std::to_string(i * 10);
        EXPECT_EQ(CountLines(ops, sx, 5955, sx, 5955 - kTick), 1) << sx;
        EXPECT_EQ(CountLines(ops, sx, 240, sx, 240 + kTick), 1) << sx;
        EXPECT_EQ(below[size_t(i)].text, label);
        EXPECT_NEAR(below[size_t(i)].x1, sx - chart->TextWidth(label) / 2, 0.01);
        EXPECT_EQ(above[size_t(i)].text, label);
        EXPECT_NEAR(above[size_t(i)].x1, below[size_t(i)].x1, 0.01);

        const float sy = 6195 - (i * 10 * 57.15f + 240);
        const float h = chart->TextHeight(label), w = chart->TextWidth(label);
        EXPECT_EQ(CountLines(ops, 480, sy, 480 + kTick, sy), 1) << sy;
        EXPECT_EQ(CountLines(ops, 9120, sy, 9120 - kTick, sy), 1) << sy;
        auto left = TextsAtX(480 - w - 30), right = TextsAtX(9150);
        bool foundLeft = false, foundRight = false;
        for (const auto& t : left)
            foundLeft |= t.text == label && std::fabs(t.y1 - (sy - h / 2)) < 0.01f;
        for (const auto& t : right)
            foundRight |= t.text == label && std::fabs(t.y1 - (sy - h / 2)) < 0.01f;
        EXPECT_TRUE(foundLeft) << label;
        EXPECT_TRUE(foundRight) << label;
    }
    // The surface is shown again with the pen of the control.
    EXPECT_TRUE(chart->pic_main->Visible());
    EXPECT_EQ(chart->pic_main->ForeColor(), 0xFFu);
    EXPECT_EQ(ops[1].color, 0u);  // frame lines in GridColor
}

TEST_F(ScaleTest, AxisLinesCrossAtZero) {
    Chart();
    chart->setMinX(-50);
    chart->setMaxX(50);
    chart->setMinY(-50);
    chart->setMaxY(50);
    ASSERT_TRUE(chart->SetScaleUnit());
    const float y0 = 6195 - (50 * 57.15f + 240);
    EXPECT_EQ(CountLines(All(), 4800, 240, 4800, 5955), 1);  // the Y axis at x = 0
    EXPECT_EQ(CountLines(All(), 480, y0, 9120, y0), 1);      // the X axis at y = 0
    int fullHeight = 0;
    for (const auto& op : Ops(DrawOp::Line)) fullHeight += op.y1 == 240 && op.y2 == 5955;
    EXPECT_EQ(fullHeight, 3);  // two borders and the axis
}

TEST_F(ScaleTest, GridModeDrawsFullLinesInsteadOfTicks) {
    Chart();
    chart->setViewGrid(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    for (int i = 0; i <= 10; ++i) {
        const float sx = 480 + i * 864.0f, sy = 6195 - (i * 10 * 57.15f + 240);
        EXPECT_EQ(CountLines(All(), sx, 5955, sx, 240), 1) << sx;
        // The first and last grid lines lie on the bottom and top borders.
        EXPECT_EQ(CountLines(All(), 480, sy, 9120, sy), i == 0 || i == 10 ? 2 : 1) << sy;
        EXPECT_EQ(CountLines(All(), sx, 5955, sx, 5955 - kTick), 0);
    }
}

TEST_F(ScaleTest, OverlappingLabelsAreSkipped) {
    Chart();
    chart->setUnitX(1);
    chart->setUnitY(1);
    ASSERT_TRUE(chart->SetScaleUnit());
    // Every tick is drawn on the X axis, but only labels right of the previous one.
    int ticks = 0;
    for (const auto& op : Ops(DrawOp::Line)) ticks += op.y1 == 5955 && op.y2 == 5955 - kTick;
    EXPECT_EQ(ticks, 101);
    auto above = TextsAtY(0);
    ASSERT_GT(above.size(), 5u);
    EXPECT_LT(above.size(), 101u);
    for (size_t i = 1; i < above.size(); ++i)
        EXPECT_GT(above[i].x1, above[i - 1].x1 + chart->TextWidth(above[i - 1].text));
    // On the Y axis a label must end above the last one; ticks go with printed labels only.
    auto right = TextsAtX(9150);
    const float h9 = chart->TextHeight("9");
    for (size_t i = 1; i < right.size(); ++i) EXPECT_LT(right[i].y1 + h9, right[i - 1].y1);
    int yTicks = 0;
    for (const auto& op : Ops(DrawOp::Line)) yTicks += op.x1 == 480 && op.x2 == 480 + kTick;
    EXPECT_EQ(yTicks, int(right.size()));
    EXPECT_LT(yTicks, 101);
}

TEST_F(ScaleTest, AutomaticUnitIsATenthOfTheRange) {
    ctl::PropertyBag bag;
    bag.WriteProperty("UnitX", int32_t(0), int32_t(10));
    bag.WriteProperty("MaxX", 200.0f, 100.0f);
    Load(bag);
    chart->pic_main->setRecording(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    EXPECT_EQ(chart->UnitX(), 20);
    auto below = TextsAtY(BelowY());
    ASSERT_EQ(below.size(), 11u);
    EXPECT_EQ(below[1].text, "20");
    EXPECT_EQ(below[10].text, "200");
}

TEST_F(ScaleTest, DateAxisLabelsFollowTheUsersDateOrder) {
    for (bool us : {false, true}) {
        ctl::Locale::SetCurrent(us ? ctl::LocaleInfo::US() : ctl::LocaleInfo::UK());
        Chart();
        chart->setMinX("15/03/2026");
        chart->setMaxX("15/03/2027");
        chart->setUnitX(30);
        ASSERT_TRUE(chart->SetScaleUnit());
        auto below = TextsAtY(BelowY());
        ASSERT_GE(below.size(), 2u);
        EXPECT_EQ(below[0].text, us ? "03/15/26" : "15/03/26");
        EXPECT_EQ(karvex::Library().ShortDatePattern, us ? "mm/dd/yy" : "dd/mm/yy");
        // Steps are whole divisions of the plot width: every tick lies on it exactly.
        const auto& f = chart->Frame();
        int ticks = 0;
        for (const auto& op : Ops(DrawOp::Line))
            ticks += op.y1 == f.PlotBottom && op.y2 == f.PlotBottom - kTick;
        bool lastOnRight = false;
        for (const auto& op : Ops(DrawOp::Line))
            lastOnRight |= op.y1 == f.PlotBottom && op.y2 == f.PlotBottom - kTick &&
                           std::fabs(op.x1 - f.PlotRight) < 1;
        EXPECT_TRUE(lastOnRight);
        EXPECT_GT(ticks, 10);
        EXPECT_TRUE(below.back().text.find('/') != std::string::npos);
    }
}

TEST_F(ScaleTest, DateLabelsNameTheDaysOfTheirTicks) {
    Chart();
    chart->setMinX("01/01/2026");
    chart->setMaxX("31/12/2026");
    chart->setUnitX(30);
    ASSERT_TRUE(chart->SetScaleUnit());
    // What the surface printed below the plot, read back as a screen reader would.
    std::vector<std::string> below;
    for (const auto& t : chart->pic_main->Printed())
        if (std::fabs(t.y - BelowY()) < 0.01f) below.push_back(t.text);
    // The ticks stand 30 1/3 days apart from 01/01; each label names the day of its tick
    // (labels that would overlap are skipped, depending on the font).
    const std::vector<std::string> days{"01/01/26", "31/01/26", "02/03/26", "02/04/26", "02/05/26",
                                        "01/06/26", "02/07/26", "01/08/26", "31/08/26", "01/10/26",
                                        "31/10/26", "30/11/26", "31/12/26"};
    ASSERT_GE(below.size(), 5u);
    size_t next = 0;
    for (const auto& label : below) {
        auto at = std::find(days.begin() + long(next), days.end(), label);
        ASSERT_NE(at, days.end()) << label;
        next = size_t(at - days.begin()) + 1;
    }
    EXPECT_EQ(below.front(), "01/01/26");
    EXPECT_EQ(below.back(), "31/12/26");
    // The last label stands over the last tick, on MaxX at the right border.
    const auto& f = chart->Frame();
    EXPECT_EQ(CountLines(All(), f.PlotRight, f.PlotBottom, f.PlotRight, f.PlotBottom - kTick), 1);
}

TEST_F(ScaleTest, FractionalTicksReadAsFractionsAndOnlyZeroIsTheAxis) {
    ctl::PropertyBag bag;
    bag.WriteProperty("UnitX", int32_t(0), int32_t(10));
    bag.WriteProperty("UnitY", int32_t(0), int32_t(10));
    bag.WriteProperty("MinX", -1.0f, 0.0f);
    bag.WriteProperty("MaxX", 1.0f, 100.0f);
    bag.WriteProperty("MinY", -1.0f, 0.0f);
    bag.WriteProperty("MaxY", 1.0f, 100.0f);
    Load(bag);
    chart->pic_main->setRecording(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    const auto& f = chart->Frame();
    int fullHeight = 0, fullWidth = 0;
    for (const auto& op : Ops(DrawOp::Line)) {
        fullHeight += op.y1 == f.PlotTop && op.y2 == f.PlotBottom;
        fullWidth += op.x1 == f.PlotLeft && op.x2 == f.PlotRight && op.y1 == op.y2;
    }
    EXPECT_EQ(fullHeight, 3);  // two borders and the Y axis
    EXPECT_EQ(fullWidth, 3);   // two borders and the X axis
    EXPECT_EQ(CountLines(All(), 4800, f.PlotTop, 4800, f.PlotBottom), 1);
    std::vector<std::string> labels;
    for (const auto& t : chart->pic_main->Printed())
        if (std::fabs(t.y - BelowY()) < 0.01f) labels.push_back(t.text);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "-1");
    EXPECT_EQ(labels.back(), "1");  // no tick past the frame
    for (const auto& l : labels)
        EXPECT_TRUE(l == "-1" || l == "0" || l == "1" || l.find('.') != std::string::npos) << l;
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "0"), 1);
}

TEST_F(ScaleTest, AutomaticDateUnitIsAQuarter) {
    ctl::Clock::SetNow(ctl::DateSerial(2026, 5, 5));
    ctl::PropertyBag bag;
    bag.WriteProperty("UnitX", int32_t(0), int32_t(10));
    bag.WriteProperty("XAsDate", true, false);
    Load(bag);
    chart->pic_main->setRecording(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    EXPECT_EQ(chart->UnitX(), 90);
    auto below = TextsAtY(BelowY());
    ASSERT_EQ(below.size(), 5u);  // the year cut into four equal steps
    EXPECT_EQ(below[0].text, "01/01/26");
    EXPECT_EQ(below[1].text, "02/04/26");
}

TEST_F(ScaleTest, DateAxisWithLimitsThatAreNoDatesFallsBackToNumbers) {
    Chart();
    chart->setMinX("01/01/2026");
    chart->setMaxX(1e8);  // a number: the axis stays a date axis with an impossible end
    chart->setXAsDate(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_EQ(TextsAtY(BelowY()).front().text, "46,023");
}

TEST_F(ScaleTest, FailuresLandInControlErrorWithoutRaising) {
    Chart();
    chart->setMinX(50);
    chart->setMaxX(10);
    bool result = true;
    EXPECT_NO_THROW(result = chart->SetScaleUnit());
    EXPECT_FALSE(result);
    EXPECT_EQ(chart->ControlError(), "The property value of MinX is greater than MaxX");
    EXPECT_TRUE(chart->pic_main->Visible());
    EXPECT_EQ(chart->pic_main->ForeColor(), chart->ForeColor());

    chart->setMaxX(100);
    chart->setMapStyle(0);
    EXPECT_FALSE(chart->SetScaleUnit());
    EXPECT_EQ(chart->ControlError(), "Invalid method if 'MapStyle' = 0");
    chart->setMapStyle(1);
    EXPECT_TRUE(chart->SetScaleUnit());
    EXPECT_EQ(chart->ControlError(), "");
}

TEST_F(ScaleTest, FlagExitDuringTheTickLoopAbandonsTheDrawing) {
    Chart();
    chart->setGridColor(0x00AA00);
    ctl::RunLater(0, [this] { chart->setFlagExit(true); });
    ctl::ResetYieldSlice();
    EXPECT_FALSE(chart->SetScaleUnit());
    EXPECT_EQ(chart->ControlError(), "");
    EXPECT_TRUE(chart->pic_main->Visible());
    EXPECT_EQ(chart->pic_main->ForeColor(), 0x00AA00u);  // left as it was
    EXPECT_LT(Ops(DrawOp::Text).size(), 4u);
    EXPECT_TRUE(chart->SetScaleUnit());  // a new call starts afresh
}

TEST_F(ScaleTest, LimitsBeyondThePrecisionOfTheStepNeverHang) {
    Chart();
    chart->setMinX(1e20);
    chart->setMaxX(1e20);  // a step of 10 cannot move a value this large
    chart->setMinY(-3e38);
    chart->setMaxY(3e38);  // the range overflows single precision
    chart->setUnitY(1);
    EXPECT_TRUE(chart->SetScaleUnit());
    EXPECT_LE(Ops(DrawOp::Text).size(), 8u);

    // An automatic unit beyond the integer range fails cleanly.
    ctl::PropertyBag bag;
    bag.WriteProperty("UnitX", int32_t(0), int32_t(10));
    bag.WriteProperty("MaxX", 3e38f, 100.0f);
    Load(bag);
    EXPECT_FALSE(chart->SetScaleUnit());
    EXPECT_EQ(chart->ControlError(), "Overflow");
}

TEST_F(ScaleTest, FrameShowsOnTheSurfacePixels) {
    Create();
    ASSERT_TRUE(chart->SetScaleUnit());
    auto& pic = *chart->pic_main;
    EXPECT_EQ(pic.PixelAt(100, 5955 / 15), 0u);     // bottom border
    EXPECT_EQ(pic.PixelAt(100, 240 / 15), 0u);      // top border
    EXPECT_EQ(pic.PixelAt(480 / 15, 200), 0u);      // left border
    EXPECT_EQ(pic.PixelAt(90, 5955 / 15 - 3), 0u);  // tick at x = 10
    EXPECT_EQ(pic.PixelAt(100, 200), 0xFFC0C0u);    // inside the plot
    EXPECT_EQ(pic.PixelAt(90, 200), 0xFFC0C0u);     // no grid without ViewGrid
    chart->setViewGrid(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    EXPECT_EQ(pic.PixelAt(90, 200), 0u);  // grid line at x = 10
}
