#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "chart/plot/TickPlan.h"

using karvex::PlanTicks;
using karvex::TickPlan;
using karvex::TickPlanInputs;

namespace {
// A 9600 x 6195 twip surface with the default margins; labels 600 twips wide, 195 high.
TickPlanInputs Axis(float min, float max, bool horizontal = true) {
    karvex::FrameInputs fi;
    fi.MinX = fi.MinY = min;
    fi.MaxX = fi.MaxY = max;
    fi.SurfaceW = 9600;
    fi.SurfaceH = 6195;
    TickPlanInputs in;
    in.horizontal = horizontal;
    in.frame = karvex::ComputeFrame(fi, true);
    in.min = min;
    in.max = max;
    in.textWidth = [](const std::string&) { return 600.0f; };
    in.textHeight = [](const std::string&) { return 195.0f; };
    return in;
}

std::vector<std::string> Labels(const TickPlan& p) {
    std::vector<std::string> out;
    for (const auto& t : p.ticks) out.push_back(t.label);
    return out;
}
}  // namespace

TEST(TickPlan, DateTicksNameTheDayTheyStandOn) {
    LocaleGuard uk(ctl::LocaleInfo::UK());
    // 01/01/2026 to 31/12/2026 cut into twelve steps of 720 twips, as SetScaleUnit cuts it.
    TickPlanInputs in = Axis(46023, 46387);
    in.asDate = true;
    in.step = 720.0 / in.frame.ScaleFactorX;
    TickPlan p = PlanTicks(in);
    ASSERT_TRUE(p.asDate);
    ASSERT_EQ(p.ticks.size(), 13u);
    for (size_t i : {3u, 6u, 9u, 12u}) EXPECT_EQ(p.ticks[i].value, 46023 + 364.0 * double(i) / 12);
    EXPECT_EQ(p.ticks[3].label, "02/04/26");
    EXPECT_EQ(p.ticks[6].label, "02/07/26");
    EXPECT_EQ(p.ticks[9].label, "01/10/26");
    EXPECT_EQ(p.ticks[12].label, "31/12/26");  // MaxX itself
    EXPECT_FLOAT_EQ(p.ticks[12].pos, in.frame.PlotRight);
    for (const auto& t : p.ticks) EXPECT_FALSE(t.zero);
}

TEST(TickPlan, FractionalStepsReadAsFractionsWithOneAxisLine) {
    LocaleGuard uk(ctl::LocaleInfo::UK());
    TickPlanInputs in = Axis(-1, 1);
    in.step = double(2.0f / 10);  // the automatic step, a tenth of the range
    TickPlan p = PlanTicks(in);
    EXPECT_EQ(Labels(p), (std::vector<std::string>{"-1", "-0.8", "-0.6", "-0.4", "-0.2", "0", "0.2",
                                                   "0.4", "0.6", "0.8", "1"}));
    int zeros = 0;
    for (const auto& t : p.ticks) zeros += t.zero;
    EXPECT_EQ(zeros, 1);
    EXPECT_TRUE(p.ticks[5].zero);
    EXPECT_FLOAT_EQ(p.ticks[5].pos, 4800);  // the middle of the plot
    // No tick past the frame: the last stands on MaxX.
    EXPECT_FLOAT_EQ(p.ticks.back().pos, in.frame.PlotRight);
}

TEST(TickPlan, NumericLabelsGroupWholeValuesOnly) {
    LocaleGuard uk(ctl::LocaleInfo::UK());
    EXPECT_EQ(karvex::NumericTickLabel(12500), "12,500");
    EXPECT_EQ(karvex::NumericTickLabel(-2500), "-2,500");
    EXPECT_EQ(karvex::NumericTickLabel(2.999999), "3");
    EXPECT_EQ(karvex::NumericTickLabel(-0.25), "-0.25");
    EXPECT_EQ(karvex::NumericTickLabel(10.5), "10.5");
    LocaleGuard it(ctl::LocaleInfo::Italian());
    EXPECT_EQ(karvex::NumericTickLabel(-0.4), "-0,4");
}

TEST(TickPlan, OverlappingLabelsAreSkipped) {
    LocaleGuard uk(ctl::LocaleInfo::UK());
    // 100 ticks 86.4 twips apart under labels 600 twips wide: one label in seven or eight.
    TickPlanInputs in = Axis(0, 100);
    in.step = 1;
    TickPlan p = PlanTicks(in);
    ASSERT_EQ(p.ticks.size(), 101u);
    float lastEnd = 0;
    int printed = 0;
    for (const auto& t : p.ticks) {
        EXPECT_EQ(t.second.printed, t.second.x > lastEnd);
        if (t.second.printed) {
            lastEnd = t.second.x + 600;
            ++printed;
        }
    }
    EXPECT_GT(printed, 10);
    EXPECT_LT(printed, 16);

    // Vertical: a label prints only when it ends above the last one printed.
    TickPlanInputs v = Axis(0, 100, false);
    v.step = 1;
    TickPlan q = PlanTicks(v);
    ASSERT_EQ(q.ticks.size(), 101u);
    float lastTop = 0;
    for (const auto& t : q.ticks) {
        EXPECT_EQ(t.first.printed, t.second.printed);
        if (t.first.printed) {
            EXPECT_TRUE(lastTop == 0 || t.first.y + 195 < lastTop);
            lastTop = t.first.y;
        }
    }
}

TEST(TickPlan, StepsThatGoNowhereEndTheAxis) {
    TickPlanInputs in = Axis(0, 100);
    in.step = 0;
    EXPECT_EQ(PlanTicks(in).ticks.size(), 1u);
    in.step = -5;
    EXPECT_EQ(PlanTicks(in).ticks.size(), 1u);
    in = Axis(1e7f, 1e7f + 100);
    in.step = 1e-6;  // below the precision of the values
    EXPECT_EQ(PlanTicks(in).ticks.size(), 1u);
}
