// The chart on a double-density screen: its surface is drawn in device pixels, while twips,
// window pixels and pictures keep their meaning.
#include <QImage>

#include "ChartFixture.h"
#include "RatioTwo.h"

TEST_F(ChartTest, HighDensitySurfaceDrawsAtDeviceResolution) {
    if (!AtRatioTwo("ChartTest.HighDensity*")) return;
    ctl::Form form;
    Create();
    form.Place(*chart, 0, 0);
    chart->setSize(6000, 4000);
    form.Show();
    ctl::PictureBox& surface = *chart->pic_main;
    EXPECT_EQ(surface.DevicePixelRatio(), 2.0);
    // Window pixels as at ratio 1: 15 twips each.
    EXPECT_EQ(surface.ImageWidthPx(), 400);
    EXPECT_EQ(surface.ImageHeightPx(), ctl::Widget::ToPxY(4000));
    EXPECT_EQ(surface.ScaleWidth(), 6000);

    // A horizontal line at y = 150 twips (window pixel 10) covers that pixel's two device rows.
    surface.setDrawWidth(1);
    surface.Line(0, 150, 6000, 150, 0x000000);
    EXPECT_EQ(surface.PixelAt(100, 10), 0x000000u);
    EXPECT_NE(surface.PixelAt(100, 12), 0x000000u);
    std::string file = ::testing::TempDir() + "ratio2_surface.png";
    ASSERT_TRUE(surface.SavePng(file));
    QImage saved(QString::fromStdString(file));
    EXPECT_EQ(saved.size(), QSize(400, ctl::Widget::ToPxY(4000)));  // pictures keep their size
    EXPECT_EQ(saved.pixel(100, 10) & 0xFFFFFF, 0u);

    chart->Terminate();
    chart.reset();
}

TEST(ChartHighDensity, TheAccessibleTreeIsTheSameAtRatioTwo) {
    if (AtRatioTwo("ChartAccessibleTest.*")) GTEST_SKIP() << "already at ratio 2";
}
