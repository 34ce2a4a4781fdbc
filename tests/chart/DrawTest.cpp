#include <cmath>
#include <string>

#include "ChartFixture.h"
#include "TestSupport.h"
#include "chart/KarvexState.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"

using ctl::DrawOp;
using ctl::Variant;

class DrawTest : public ChartTest {
  protected:
    // A run-time chart with range 0..100 on both axes, recording its drawing.
    karvex::ucKarvex& Chart() {
        Create();
        chart->pic_main->setRecording(true);
        return *chart;
    }
    std::vector<DrawOp> PlotLines() const {
        std::vector<DrawOp> out;
        for (const auto& op : Ops(DrawOp::Line))
            if (op.color == chart->ForeColor()) out.push_back(op);
        return out;
    }
    float SX(double x) const { return float((x - 0) * chart->Frame().ScaleFactorX + 480); }
    float SY(double y) const {
        const auto& f = chart->Frame();
        return float(f.SurfaceH - ((y - 0) * f.ScaleFactorY + 240));
    }
};

TEST_F(DrawTest, PointAddChecksRangesWithExactDetailTexts) {
    Chart();
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant(150), Variant(5)); }, &text), 1025);
    EXPECT_EQ(
        text,
        "X: ''150''\rMinX: ''0''\rMaxX: ''100''\r\rThe X value is greater than MaxX assigned.");
    EXPECT_EQ(chart->ControlError(), text);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant(-1), Variant(5)); }, &text), 1024);
    EXPECT_NE(text.find("The X value is lesser than MinX assigned."), std::string::npos);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant(5), Variant(-0.5)); }, &text), 1026);
    EXPECT_EQ(
        text,
        "Y: ''-0.5''\rMinY: ''0''\rMaxY: ''100''\r\rThe Y value is lesser than MinY assigned.");
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant(5), Variant(101)); }), 1027);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant("abc"), Variant(1)); }), ctl::errTypeMismatch);
    EXPECT_EQ(chart->Point_Count(), 0);
    // map mode takes any surface position
    chart->setMapStyle(0);
    EXPECT_TRUE(chart->Point_Add(Variant(15000), Variant(-20)));
    EXPECT_EQ(chart->Point_Count(), 1);
}

TEST_F(DrawTest, PointAddOnDateAxesComparesDatesAndShowsThem) {
    ctl::Clock::SetNow(ctl::DateSerial(2026, 12, 8));
    Chart();
    chart->setXAsDate(true);  // the year 2026
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant("02/01/2027"), Variant(5)); }, &text), 1025);
    EXPECT_EQ(text,
              "X: ''02/01/2027''\rMinX: ''01/01/2026''\rMaxX: ''31/12/2026''\r\r"
              "The X value is greater than MaxX assigned.");
    EXPECT_TRUE(chart->Point_Add(Variant("15/03/2026"), Variant(5)));
    EXPECT_TRUE(chart->Point_Add(Variant::Date(ctl::DateSerial(2026, 3, 15)), Variant(5)));
    // the text date and the date value share a default key, so the second one is counted on
    EXPECT_EQ(chart->Point_Item(Variant(2))->Index, 2);
    EXPECT_EQ(chart->Point_Index("46096:5,1"), 2);
}

TEST_F(DrawTest, PointsKeepKeysIndexesAndAreRefusedAtDesignTime) {
    Chart();
    EXPECT_TRUE(chart->Point_Add(Variant(1), Variant(2)));
    EXPECT_TRUE(chart->Point_Add(Variant(1), Variant(2)));
    EXPECT_TRUE(chart->Point_Add(Variant(3), Variant(4), "  A "));
    EXPECT_EQ(chart->Point_Index("1:2,1"), 2);
    EXPECT_EQ(chart->Point_Index("a"), 3);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Add(Variant(5), Variant(5), "a"); }), 457);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Item(Variant(9)); }), 5);
    chart->Point_Clear();
    EXPECT_EQ(chart->Point_Count(), 0);
    EXPECT_TRUE(chart->Point_Add(Variant(1), Variant(2)));
    EXPECT_EQ(chart->Point_Item(Variant("1:2"))->Index, 1);

    Create(false);
    EXPECT_FALSE(chart->Point_Add(Variant(1), Variant(2)));
    // There is no series at design time: every member that reads or clears it says so alike.
    EXPECT_EQ(ErrorOf([&] { chart->Point_Count(); }), 91);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Clear(); }), 91);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Item(Variant(1)); }), 91);
    EXPECT_EQ(ErrorOf([&] { chart->Point_Index("1:2"); }), 91);
}

TEST_F(DrawTest, DrawNeedsTwoPointsAndValidRanges) {
    Chart();
    EXPECT_EQ(ErrorOf([&] { chart->Draw(); }), 1033);
    chart->Point_Add(Variant(10), Variant(10));
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->Draw(); }, &text), 1033);
    EXPECT_EQ(text, "Need more points to execute the Track drawing.");
    chart->Point_Add(Variant(20), Variant(30));
    chart->setMinX(Variant(50));
    chart->setMaxX(Variant(10));
    EXPECT_EQ(ErrorOf([&] { chart->Draw(); }, &text), 1023);
    EXPECT_EQ(text, "The property value of MinX is greater than MaxX");
    EXPECT_FALSE(karvex::Library().LastDrawingSucceeded);
}

TEST_F(DrawTest, TwoPointsDrawOneMappedLineThenMarksTitleAndFinish) {
    Chart();
    chart->Point_Add(Variant(10), Variant(20));
    chart->Point_Add(Variant(60), Variant(80));
    chart->setViewPoints(true);
    chart->setTitle("Sales");
    chart->pic_main->clearOps();
    site.events.clear();
    ASSERT_TRUE(chart->Draw());
    EXPECT_EQ(site.events, (std::vector<std::string>{"StartDrawing", "FinishDrawing"}));
    auto lines = PlotLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0].x1, SX(10));
    EXPECT_FLOAT_EQ(lines[0].y1, SY(20));
    EXPECT_FLOAT_EQ(lines[0].x2, SX(60));
    EXPECT_FLOAT_EQ(lines[0].y2, SY(80));
    auto boxes = Ops(DrawOp::Box);
    ASSERT_EQ(boxes.size(), 2u);  // both ends marked in red
    EXPECT_EQ(boxes[0].color, 0x0000FFu);
    EXPECT_FLOAT_EQ(boxes[1].x1, SX(60) - 15);
    EXPECT_FLOAT_EQ(boxes[1].y2, SY(80) + 15);
    auto texts = Ops(DrawOp::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, "Sales");
    EXPECT_EQ(texts.back().color, chart->TitleColor());
    // the pen is back to the plot colour and width
    EXPECT_EQ(chart->pic_main->ForeColor(), chart->ForeColor());
    EXPECT_EQ(chart->pic_main->DrawWidth(), chart->DrawWidth());
    EXPECT_TRUE(chart->ControlError().empty());
    // the plotted line lands on real pixels
    int mx = int((SX(10) + SX(60)) / 2 / 15), my = int((SY(20) + SY(80)) / 2 / 15);
    int hits = 0;
    for (int dy = -1; dy <= 1; ++dy)
        hits += chart->pic_main->PixelAt(mx, my + dy) == chart->ForeColor();
    EXPECT_GE(hits, 1);
}

TEST_F(DrawTest, CancelInStartDrawingDrawsNothing) {
    Chart();
    chart->Point_Add(Variant(10), Variant(20));
    chart->Point_Add(Variant(60), Variant(80));
    site.onEvent = [](const ctl::EventInfo& e, ctl::Args& args) {
        if (e.name == "StartDrawing") args[0] = Variant(true);
    };
    chart->pic_main->clearOps();
    EXPECT_FALSE(chart->Draw());
    EXPECT_TRUE(chart->pic_main->ops().empty());
}

TEST_F(DrawTest, AnimatedStepsAreClampedToTheSegmentEnd) {
    Chart();
    chart->Point_Add(Variant(10), Variant(10));
    chart->Point_Add(Variant(20), Variant(10));  // 960 twips long
    chart->setDelay(1);
    chart->setBaseStep(5000);
    chart->pic_main->clearOps();
    ASSERT_TRUE(chart->Draw());
    auto lines = PlotLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0].x2, SX(20));
    EXPECT_FLOAT_EQ(lines[0].y2, SY(10));

    // steps of 300 twips along a rising diagonal end exactly on the second point
    chart->Point_Clear();
    chart->Point_Add(Variant(0), Variant(0));
    chart->Point_Add(Variant(10), Variant(30));
    chart->setBaseStep(300);
    chart->pic_main->clearOps();
    ASSERT_TRUE(chart->Draw());
    lines = PlotLines();
    ASSERT_GT(lines.size(), 2u);
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_FLOAT_EQ(lines[i].x1, lines[i - 1].x2);
    EXPECT_NEAR(lines.back().x2, SX(10), 0.5);
    EXPECT_NEAR(lines.back().y2, SY(30), 0.5);

    // a step length of 0 cannot hang the drawing
    chart->setBaseStep(0);
    EXPECT_TRUE(chart->Draw());
}

TEST_F(DrawTest, FlagExitStopsAnAnimatedDrawingAndRestoresThePen) {
    Chart();
    chart->Point_Add(Variant(0), Variant(0));
    chart->Point_Add(Variant(100), Variant(100));
    chart->setDelay(40);
    chart->setBaseStep(60);  // a hundred steps of 40 ms: seconds, unless stopped
    site.onEvent = [this](const ctl::EventInfo& e, ctl::Args&) {
        if (e.name == "StartDrawing") ctl::RunLater(15, [this] { chart->setFlagExit(true); });
    };
    chart->pic_main->clearOps();
    site.events.clear();
    EXPECT_TRUE(chart->Draw());
    EXPECT_LT(PlotLines().size(), 20u);
    EXPECT_EQ(site.events, (std::vector<std::string>{"StartDrawing"}));  // no FinishDrawing
    EXPECT_FALSE(chart->PlaybackRunning());
    EXPECT_EQ(chart->pic_main->ForeColor(), chart->ForeColor());
}

TEST_F(DrawTest, MapModeReplaysSegmentsInTheTrackColour) {
    Chart();
    chart->setMapStyle(0);
    chart->Point_Add(Variant(300), Variant(300));
    chart->Point_Add(Variant(900), Variant(600));
    chart->Point_Add(Variant(1500), Variant(300));
    chart->pic_main->clearOps();
    ASSERT_TRUE(chart->Draw());
    int track = 0;
    for (const auto& op : Ops(DrawOp::Line)) track += op.color == chart->TrackColor();
    EXPECT_EQ(track, 2);

    // one point: no line, but a mark, the title and the finish event
    chart->Point_Clear();
    chart->Point_Add(Variant(300), Variant(300));
    chart->setViewPoints(true);
    chart->pic_main->clearOps();
    site.events.clear();
    ASSERT_TRUE(chart->Draw());
    EXPECT_TRUE(Ops(DrawOp::Line).empty());
    EXPECT_EQ(Ops(DrawOp::Box).size(), 1u);
    EXPECT_EQ(site.events.back(), "FinishDrawing");
}

TEST_F(DrawTest, LinesTextAndClear) {
    Chart();
    chart->setTextColor(0x00FF00);
    chart->PrintText("note");
    ASSERT_EQ(Ops(DrawOp::Text).size(), 1u);
    EXPECT_EQ(Ops(DrawOp::Text)[0].color, 0x00FF00u);
    EXPECT_EQ(chart->pic_main->ForeColor(), chart->ForeColor());
    chart->DrawLine(0, 0, 1500, 1500);
    ASSERT_EQ(PlotLines().size(), 1u);
    chart->setEnabled(false);
    chart->DrawLine(0, 0, 1500, 1500);
    EXPECT_EQ(PlotLines().size(), 1u);
    EXPECT_FALSE(chart->Draw());
    chart->setEnabled(true);

    chart->Point_Add(Variant(1), Variant(1));
    chart->pic_main->clearOps();
    chart->Clear();  // the frame comes back, the points stay
    EXPECT_EQ(chart->pic_main->ops().front().kind, DrawOp::Cls);
    EXPECT_GT(Ops(DrawOp::Line).size(), 4u);
    EXPECT_EQ(chart->Point_Count(), 1);

    EXPECT_FALSE(chart->DrawTrack("  Harbour "));
    EXPECT_EQ(chart->TrackName(), "Harbour");
    EXPECT_FALSE(chart->ControlError().empty());
}

TEST_F(DrawTest, HostsReachPointsByName) {
    Chart();
    ctl::Args add{Variant(2.5), Variant(7)};
    EXPECT_TRUE(ctl::Invoke(*chart, "point_add", ctl::MemberKind::Method, add).toBool());
    ctl::Args idx{Variant(1)};
    auto item = ctl::Invoke(*chart, "Point_Item", ctl::MemberKind::Method, idx).toObject();
    ASSERT_TRUE(item);
    ctl::Args none;
    EXPECT_DOUBLE_EQ(ctl::Invoke(*item, "X", ctl::MemberKind::PropertyGet, none).toDouble(), 2.5);
    EXPECT_EQ(ctl::Invoke(*item, "Index", ctl::MemberKind::PropertyGet, none).toInt32(), 1);
    ctl::Args bad{Variant(500), Variant(1)};
    EXPECT_EQ(ErrorOf([&] { ctl::Invoke(*chart, "Point_Add", ctl::MemberKind::Method, bad); }),
              1025);
}

TEST_F(DrawTest, HostCodeRunningMidDrawingCanChangeTheSeriesSafely) {
    Chart();
    chart->Point_Add(Variant(0), Variant(0));
    chart->Point_Add(Variant(100), Variant(100));
    chart->setDelay(5);
    chart->setBaseStep(400);
    bool scheduled = false, nestedResult = false;
    site.onEvent = [&](const ctl::EventInfo& e, ctl::Args&) {
        if (e.name != "StartDrawing" || scheduled) return;
        scheduled = true;
        ctl::RunLater(10, [&] {
            // a timer of the host replaces the series and draws again, mid-drawing
            chart->Point_Clear();
            for (int i = 0; i < 3; ++i) chart->Point_Add(Variant(i * 10), Variant(i * 5));
            nestedResult = chart->Draw();
        });
    };
    EXPECT_TRUE(chart->Draw());
    EXPECT_TRUE(scheduled);
    // the second drawing is refused while the first walks its segments; the first one ends
    // with its own series
    EXPECT_FALSE(nestedResult);
    EXPECT_EQ(chart->Point_Count(), 3);
    EXPECT_EQ(site.events.back(), "FinishDrawing");
    EXPECT_TRUE(chart->Draw());  // afterwards the new series draws
}

TEST_F(DrawTest, AHandlerThatAlwaysRedrawsCannotNestWithoutEnd) {
    Chart();
    chart->Point_Add(Variant(0), Variant(0));
    chart->Point_Add(Variant(50), Variant(50));
    int finished = 0;
    site.onEvent = [&](const ctl::EventInfo& e, ctl::Args&) {
        if (e.name == "FinishDrawing") {
            ++finished;
            chart->Draw();
        }
    };
    EXPECT_TRUE(chart->Draw());
    EXPECT_EQ(finished, 8);
    EXPECT_NE(chart->ControlError().find("nested"), std::string::npos);
}

TEST_F(DrawTest, NumberLikeTextIsPlottedAsNumbers) {
    Chart();
    EXPECT_TRUE(chart->Point_Add(Variant("1.5"), Variant("10.11")));
    EXPECT_TRUE(chart->Point_Add(Variant("3.25"), Variant("12.5")));
    chart->pic_main->clearOps();
    ASSERT_TRUE(chart->Draw());
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_FALSE(chart->YAsDate());
    auto lines = PlotLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0].x1, SX(1.5));
}
