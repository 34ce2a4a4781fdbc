#include <gtest/gtest.h>

#include "ChartFixture.h"
#include "chart/plot/PlotFrame.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"

using karvex::ComputeFrame;
using karvex::FrameInputs;

namespace {
FrameInputs Surface(float w, float h) {
    FrameInputs in;
    in.SurfaceW = w;
    in.SurfaceH = h;
    return in;
}
}  // namespace

TEST(PlotFrame, DefaultsMapTheRangeOntoTheMargins) {
    auto f = ComputeFrame(Surface(9600, 6000), true);
    EXPECT_EQ(f.PlotLeft, 480);
    EXPECT_EQ(f.PlotTop, 240);
    EXPECT_EQ(f.PlotRight, 9120);
    EXPECT_EQ(f.PlotBottom, 5760);
    EXPECT_EQ(f.RangeX, 100);
    EXPECT_FLOAT_EQ(f.ScaleFactorX, 86.4f);
    EXPECT_FLOAT_EQ(f.ScaleFactorY, 55.2f);
    // MinX on the left margin, MaxX on the right one, MinY at the bottom, MaxY at the top.
    EXPECT_NEAR(karvex::DataToSurfaceX(f, 0, 480), 480, 1e-3);
    EXPECT_NEAR(karvex::DataToSurfaceX(f, 100, 480), 9120, 1e-3);
    EXPECT_NEAR(karvex::DataToSurfaceY(f, 0, 240), 5760, 1e-3);
    EXPECT_NEAR(karvex::DataToSurfaceY(f, 100, 240), 240, 1e-3);
    // And back.
    EXPECT_NEAR(karvex::SurfaceToDataX(f, 4800, 480), 50, 1e-4);
    EXPECT_NEAR(karvex::SurfaceToDataY(f, 3000, 240), 50, 1e-4);
}

TEST(PlotFrame, ZeroMarginsStayOnePixelInside) {
    FrameInputs in = Surface(3000, 1500);
    in.RightScale = 0;
    in.BottomScale = 0;
    auto f = ComputeFrame(in, true);
    EXPECT_EQ(f.PlotRight, 3000 - 15);
    EXPECT_EQ(f.PlotBottom, 1500 - 15);
}

TEST(PlotFrame, RangesAreCheckedOrForgiven) {
    FrameInputs in = Surface(9600, 6000);
    in.MinX = in.MaxX = 42;  // an empty range counts as one unit
    EXPECT_EQ(ComputeFrame(in, true).RangeX, 1);

    in.MinX = 50;
    in.MaxX = 10;
    try {
        ComputeFrame(in, true);
        FAIL() << "no error";
    } catch (const ctl::RaisedError& e) {
        EXPECT_EQ(e.number(), 1028);
        EXPECT_EQ(e.description(), "The property value of MinX is greater than MaxX");
    }
    EXPECT_EQ(ComputeFrame(in, false).RangeX, 1);

    in.MaxX = 100;
    in.MinY = 5;
    in.MaxY = -5;
    try {
        ComputeFrame(in, true);
        FAIL() << "no error";
    } catch (const ctl::RaisedError& e) {
        EXPECT_EQ(e.number(), 1029);
        EXPECT_EQ(e.description(), "The property value of MinY is greater than MaxY");
    }
}

TEST(PlotFrame, AZeroScaleFactorBecomesOne) {
    FrameInputs in = Surface(960, 480);  // the margins take the whole surface
    auto f = ComputeFrame(in, true);
    EXPECT_EQ(f.ScaleFactorX, 1);
    EXPECT_EQ(f.ScaleFactorY, 1);
}

TEST_F(ChartTest, TheReadOutIsForALeftPressWithoutShiftKeys) {
    Create();
    ASSERT_TRUE(chart->SetScaleUnit());
    const auto& f = chart->Frame();
    chart->pic_main->onMouseDown(ctl::vbLeftButton, 1, f.PlotLeft, f.PlotBottom);  // Shift
    chart->pic_main->onMouseDown(ctl::vbLeftButton, 2, f.PlotLeft, f.PlotBottom);  // Ctrl
    chart->pic_main->onMouseDown(ctl::vbRightButton, 0, f.PlotLeft, f.PlotBottom);
    EXPECT_EQ(chart->MouseValueX().toString(), "0");
    EXPECT_FALSE(chart->MouseValueX().isString()) << "never set";
    chart->pic_main->onMouseDown(ctl::vbLeftButton, 0, f.PlotLeft, f.PlotBottom);
    EXPECT_TRUE(chart->MouseValueX().isString());
}

TEST_F(ChartTest, MouseReadOutGivesDataValuesAsText) {
    Create();
    chart->setMinX(-50);
    chart->setMaxX(50);
    ASSERT_TRUE(chart->SetScaleUnit());
    const auto& f = chart->Frame();
    chart->UpdateMouseValues(f.PlotLeft, f.PlotBottom);
    EXPECT_EQ(chart->MouseValueX().toString(), "-50");
    EXPECT_EQ(chart->MouseValueY().toString(), "0");
    chart->UpdateMouseValues(float(karvex::DataToSurfaceX(f, 12.25, 480)), f.PlotTop);
    EXPECT_EQ(chart->MouseValueX().toString(), "12.25");
    EXPECT_EQ(chart->MouseValueY().toString(), "100");
    EXPECT_TRUE(chart->MouseValueX().isString());

    // Date axes read as dd/mm/yyyy, whatever the time of day under the pointer.
    chart->setMinX("01/01/2026");
    chart->setMaxX("31/12/2026");
    ASSERT_TRUE(chart->SetScaleUnit());
    double day = ctl::DateSerial(2026, 3, 15) + 0.7;
    chart->UpdateMouseValues(float(karvex::DataToSurfaceX(chart->Frame(), day, 480)), 1000);
    EXPECT_EQ(chart->MouseValueX().toString(), "15/03/2026");
}
