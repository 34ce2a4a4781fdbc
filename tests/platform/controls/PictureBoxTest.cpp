#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <cmath>

#include "platform/com/RaisedError.h"
#include "platform/com/UserControl.h"
#include "platform/controls/PictureBox.h"
#include "platform/forms/Input.h"
#include "platform/graphics/SurfaceLimits.h"

using namespace ctl;

namespace {
struct Surface : ::testing::Test {
    BasicSite site;
    UserControl host{site};
    PictureBox pic{host};
    void SetUp() override {
        host.Move(0, 0, 3000, 3000);
        pic.Move(0, 0, 1500, 1500);  // 100 x 100 pixels at 15 twips per pixel
        pic.setBackColor(0xFFFFFF);
    }
};
}  // namespace

TEST_F(Surface, LinesLandOnThePixelsOfTheirTwips) {
    ASSERT_EQ(Widget::TwipsX(), 15);
    EXPECT_FLOAT_EQ(pic.ScaleWidth(), 1500);
    EXPECT_EQ(pic.ImageWidthPx(), 100);
    pic.setForeColor(0x0000FF);
    pic.Line(150, 300, 1200, 300);  // pixels (10,20)-(80,20)
    EXPECT_EQ(pic.PixelAt(10, 20), 0x0000FFu);
    EXPECT_EQ(pic.PixelAt(50, 20), 0x0000FFu);
    EXPECT_EQ(pic.PixelAt(50, 21), 0xFFFFFFu);
    EXPECT_EQ(pic.PixelAt(50, 19), 0xFFFFFFu);
    pic.Line(300, 450, 600, 750, 0x00FF00u, true);  // outlined box (20,30)-(40,50)
    EXPECT_EQ(pic.PixelAt(20, 40), 0x00FF00u);
    EXPECT_EQ(pic.PixelAt(30, 30), 0x00FF00u);
    EXPECT_EQ(pic.PixelAt(30, 40), 0xFFFFFFu);  // not filled
    EXPECT_FLOAT_EQ(pic.CurrentX(), 600);
    pic.Cls();
    EXPECT_EQ(pic.PixelAt(10, 20), 0xFFFFFFu);
    EXPECT_FLOAT_EQ(pic.CurrentX(), 0);
}

TEST_F(Surface, PrintingAdvancesThePenByTheTextWidth) {
    pic.setForeColor(0);
    float w = pic.TextWidth("Hello");
    float h = pic.TextHeight("Hello");
    EXPECT_GT(w, 0);
    EXPECT_GT(h, 0);
    EXPECT_FLOAT_EQ(pic.TextHeight("a\nb"), 2 * h);
    pic.setCurrentX(150);
    pic.setCurrentY(150);
    pic.Print("Hello");
    EXPECT_FLOAT_EQ(pic.CurrentX(), 150 + w);
    EXPECT_FLOAT_EQ(pic.CurrentY(), 150);
    int dark = 0;
    for (int x = 10; x < 10 + int(w / 15); ++x)
        for (int y = 10; y < 10 + int(h / 15); ++y) dark += pic.PixelAt(x, y) != 0xFFFFFFu;
    EXPECT_GT(dark, 10);
}

TEST_F(Surface, RecordsOperationsAndSurvivesResizeAndFarCoordinates) {
    pic.setRecording(true);
    pic.Line(0, 0, 150, 150, 0xFF0000u);
    pic.Print("x");
    pic.Line(-1e30f, 0, 1e30f, 1e30f);  // clamped, no overflow
    ASSERT_EQ(pic.ops().size(), 3u);
    EXPECT_EQ(pic.ops()[0].kind, DrawOp::Line);
    EXPECT_EQ(pic.ops()[0].color, 0xFF0000u);
    EXPECT_EQ(pic.ops()[1].text, "x");
    pic.Line(150, 150, 300, 150, 0x00FF00u);
    pic.setWidth(3000);  // the drawing survives, new area takes the back colour
    EXPECT_EQ(pic.ImageWidthPx(), 200);
    EXPECT_EQ(pic.PixelAt(15, 10), 0x00FF00u);
    EXPECT_EQ(pic.PixelAt(150, 90), 0xFFFFFFu);
    pic.setBorderStyle(1);
    EXPECT_FLOAT_EQ(pic.ScaleWidth(), 3000 - 4 * 15);
}

TEST_F(Surface, ABoxThatGrowsShowsMoreOfItsPictureAndKeepsItsDrawing) {
    QTemporaryDir dir;
    const QString file = dir.filePath("blue.png");
    QImage blue(150, 80, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(blue.save(file, "PNG"));
    pic.setPicture(LoadPicture(file.toStdString()));  // set while the box is 100 x 100
    pic.Line(150, 150, 300, 150, 0x00FF00u);
    pic.setWidth(3000);
    pic.setHeight(3000);
    EXPECT_EQ(pic.PixelAt(15, 10), 0x00FF00u) << "the drawing stays";
    EXPECT_EQ(pic.PixelAt(140, 40), 0xFF0000u) << "the picture reaches into the new area";
    EXPECT_EQ(pic.PixelAt(170, 40), 0xFFFFFFu) << "beyond the picture, the back colour";
    EXPECT_EQ(pic.PixelAt(50, 120), 0xFFFFFFu);
}

TEST_F(Surface, FarOffEndsKeepTheLineDirectionAndNonFiniteEndsDrawNothing) {
    pic.setForeColor(0x0000FF);
    pic.Line(0, 0, 4e7f, 2e7f);  // slope 1/2, far beyond the surface
    EXPECT_EQ(pic.PixelAt(60, 30), 0x0000FFu);
    EXPECT_EQ(pic.PixelAt(60, 60), 0xFFFFFFu);
    pic.Cls();
    pic.Line(750, 750, std::nanf(""), 0);
    pic.Line(-3e7f, -3e7f, -2e7f, -2e7f);  // wholly outside
    int painted = 0;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) painted += pic.PixelAt(x, y) != 0xFFFFFFu;
    EXPECT_EQ(painted, 0);
}

TEST(SurfaceWindow, DrawingGoesOnSafelyAfterTheWindowIsGone) {
    BasicSite site;
    UserControl host{site};
    PictureBox pic{host};
    pic.Move(0, 0, 1500, 1500);
    delete pic.qwidget();  // a parent deleted it first
    EXPECT_FALSE(pic.WindowAlive());
    pic.Line(0, 0, 300, 300);
    pic.Print("x");
    pic.Cls();
    EXPECT_FLOAT_EQ(pic.ScaleWidth(), 0);
    EXPECT_EQ(pic.Width(), 0);
    pic.setVisible(true);
}

TEST_F(Surface, KeepsThePrintedTextsUntilCleared) {
    pic.setCurrentX(150);
    pic.setCurrentY(300);
    pic.Print("12/01/26");
    const float end = pic.CurrentX();
    pic.Print("!");  // printed on where the pen stopped
    pic.Line(0, 0, 600, 900);
    pic.Print("last");
    ASSERT_EQ(pic.Printed().size(), 3u);
    EXPECT_EQ(pic.Printed()[0].text, "12/01/26");
    EXPECT_FLOAT_EQ(pic.Printed()[0].x, 150);
    EXPECT_FLOAT_EQ(pic.Printed()[0].y, 300);
    EXPECT_FLOAT_EQ(pic.Printed()[1].x, end);
    EXPECT_FLOAT_EQ(pic.Printed()[2].x, 600);
    EXPECT_FLOAT_EQ(pic.Printed()[2].y, 900);
    pic.Cls();
    EXPECT_TRUE(pic.Printed().empty());
    // A surface printed on for ever without a clear keeps only the latest texts.
    for (size_t i = 0; i < PictureBox::kMaxPrinted + 5; ++i) pic.Print(std::to_string(i));
    EXPECT_EQ(pic.Printed().size(), PictureBox::kMaxPrinted);
    EXPECT_EQ(pic.Printed().front().text, "5");
}

// A surface sized far beyond any screen keeps an image no larger than the surface limits;
// drawing and shrinking again stay quick and keep what was drawn.
TEST_F(Surface, AHugeSurfaceKeepsABoundedImage) {
    pic.setForeColor(0x0000FF);
    pic.Line(150, 300, 1200, 300);
    auto start = std::chrono::steady_clock::now();
    pic.Move(0, 0, 2147483647, 330);
    EXPECT_EQ(pic.ImageWidthPx(), kMaxSurfaceSidePx);
    pic.Line(0, 0, 2147483648.0f, 330);
    pic.Move(0, 0, 1500, 1500);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    pic.Move(0, 0, 2147483647, 2147483647);
    EXPECT_LE(int64_t(pic.ImageWidthPx()) * pic.ImageHeightPx(), kMaxSurfacePixels);
    pic.Line(0, 0, 1e9f, 1e9f);
    pic.Move(0, 0, 1500, 1500);
    EXPECT_EQ(pic.ImageWidthPx(), 100);
    EXPECT_EQ(pic.PixelAt(50, 20), 0x0000FFu);
}

TEST_F(Surface, ASnapshotOfAHugeWindowIsBoundedAndAFailedOneRaises) {
    QTemporaryDir dir;
    std::string path = dir.filePath("shot.png").toStdString();
    host.Move(0, 0, 2147483647, 330);
    SaveWindowPng(host, path);
    QImage shot(QString::fromStdString(path));
    EXPECT_EQ(shot.width(), kMaxSurfaceSidePx);
    try {
        SaveWindowPng(host, "/dev/full");
        FAIL() << "a snapshot to a full device reported success";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 61);
    }
}
