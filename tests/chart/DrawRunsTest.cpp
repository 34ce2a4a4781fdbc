// Draw without steps or marks hands its segments to the surface in runs: the picture must be
// the one the segments give drawn one by one, in both modes and with any pen width.
#include <random>
#include <string>

#include "ChartFixture.h"
#include "platform/com/UserControl.h"

using ctl::Variant;

class DrawRunsTest : public ChartTest {
  protected:
    // A second chart in the same state, on which the drawn segments are painted one by one.
    std::unique_ptr<karvex::ucKarvex> Reference(int mapStyle, int16_t width) {
        auto ref = std::make_unique<karvex::ucKarvex>(refSite);
        ref->Initialize();
        ref->InitProperties();
        ref->setMapStyle(mapStyle);
        ref->setDrawWidth(width);
        return ref;
    }
    static std::string FirstDifference(const ctl::PictureBox& a, const ctl::PictureBox& b) {
        if (a.ImageWidthPx() != b.ImageWidthPx() || a.ImageHeightPx() != b.ImageHeightPx())
            return "size";
        for (int y = 0; y < a.ImageHeightPx(); ++y)
            for (int x = 0; x < a.ImageWidthPx(); ++x)
                if (a.PixelAt(x, y) != b.PixelAt(x, y))
                    return std::to_string(x) + "," + std::to_string(y);
        return {};
    }
    ctl::BasicSite refSite;
};

TEST_F(DrawRunsTest, RandomSeriesLookAsIfDrawnSegmentBySegment) {
    std::mt19937 rng(8122026);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(rng);
    };
    for (int mapStyle : {1, 0})
        for (int16_t width : {int16_t(1), int16_t(2)})
            for (double step : {0.3, 4.0, 40.0}) {
                SCOPED_TRACE("MapStyle " + std::to_string(mapStyle) + ", DrawWidth " +
                             std::to_string(width) + ", step " + std::to_string(step));
                Create();
                chart->setMapStyle(mapStyle);
                chart->setDrawWidth(width);
                auto ref = Reference(mapStyle, width);
                ASSERT_EQ(FirstDifference(*chart->pic_main, *ref->pic_main), "");
                // Coordinate values on a 0..100 system, or map positions in twips that also
                // leave the surface.
                const double hi = mapStyle ? 100 : 1.3 * chart->pic_main->ScaleWidth();
                const double lo = mapStyle ? 0 : -0.3 * chart->pic_main->ScaleWidth();
                const double scale = mapStyle ? 1 : 60;
                double x = uniform(lo, hi) / 2, y = uniform(lo, hi) / 2;
                for (int i = 0; i < 3000; ++i) {
                    chart->Point_Add(Variant(x), Variant(y));
                    x = std::clamp(x + uniform(-step, step) * scale, lo, hi);
                    y = std::clamp(y + uniform(-step, step) * scale, lo, hi);
                }
                ASSERT_TRUE(chart->Draw());

                const auto& tx = chart->TrackX();
                const auto& ty = chart->TrackY();
                const uint32_t color = mapStyle ? chart->ForeColor() : chart->TrackColor();
                ref->pic_main->setDrawWidth(width);
                for (size_t i = 0; i + 1 < tx.size(); ++i)
                    ref->pic_main->Line(float(tx[i]), float(ty[i]), float(tx[i + 1]),
                                        float(ty[i + 1]), color);
                EXPECT_EQ(FirstDifference(*chart->pic_main, *ref->pic_main), "");
                ref->Terminate();
                chart->Terminate();
                chart.reset();
            }
}
