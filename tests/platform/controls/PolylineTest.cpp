// A polyline must leave the surface exactly as a Line per segment does: the same pixels, the
// same recorded operations and the same pen position, whatever the points are.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/com/UserControl.h"
#include "platform/controls/PictureBox.h"

using namespace ctl;

namespace {

// Two surfaces of 100 x 100 pixels (15 twips each) over a background with a pattern, so a
// pixel painted or missed anywhere shows.
struct TwoSurfaces : ::testing::Test {
    BasicSite site;
    UserControl host{site};
    PictureBox bySegment{host}, byPolyline{host};
    void SetUp() override {
        host.Move(0, 0, 3000, 3000);
        for (PictureBox* pic : {&bySegment, &byPolyline}) {
            pic->Move(0, 0, 1500, 1500);
            pic->setBackColor(0xFFFFFF);
            pic->Line(0, 0, 1500, 1500, 0x00FF00u);
            pic->setRecording(true);
        }
    }
    void Draw(const std::vector<double>& xs, const std::vector<double>& ys, int width,
              uint32_t color) {
        bySegment.setDrawWidth(width);
        byPolyline.setDrawWidth(width);
        for (size_t i = 0; i + 1 < xs.size(); ++i)
            bySegment.Line(float(xs[i]), float(ys[i]), float(xs[i + 1]), float(ys[i + 1]), color);
        byPolyline.Polyline(xs.data(), ys.data(), xs.size(), color);
    }
    // The first pixel where the two differ, as text; empty when every pixel is the same.
    std::string FirstDifference() const {
        for (int y = 0; y < bySegment.ImageHeightPx(); ++y)
            for (int x = 0; x < bySegment.ImageWidthPx(); ++x)
                if (bySegment.PixelAt(x, y) != byPolyline.PixelAt(x, y))
                    return std::to_string(x) + "," + std::to_string(y);
        return {};
    }
    void ExpectSameSurfaces() const {
        EXPECT_EQ(FirstDifference(), "");
        EXPECT_EQ(bySegment.CurrentX(), byPolyline.CurrentX());
        EXPECT_EQ(bySegment.CurrentY(), byPolyline.CurrentY());
        ASSERT_EQ(bySegment.ops().size(), byPolyline.ops().size());
        for (size_t i = 0; i < bySegment.ops().size(); ++i) {
            const DrawOp &a = bySegment.ops()[i], &b = byPolyline.ops()[i];
            EXPECT_TRUE(a.kind == b.kind && a.color == b.color && a.width == b.width)
                << "operation " << i;
            // Bitwise: not-a-number coordinates are recorded too.
            EXPECT_EQ(std::memcmp(&a.x1, &b.x1, sizeof(float) * 4), 0) << "operation " << i;
        }
    }
};

// A series in one of several kinds: short steps of a pixel or two (where segments turn at
// every point), longer strokes, jumps out of the image and back, points repeated, and
// coordinates that are not numbers or far too large; twips need not fall on whole pixels.
struct SeriesMaker {
    std::mt19937 rng;
    explicit SeriesMaker(unsigned seed) : rng(seed) {}
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng); }

    void Make(int kind, std::vector<double>& xs, std::vector<double>& ys) {
        const int n = 2 + int(rng() % 200);
        const double step = kind == 0 ? 25 : kind == 1 ? 60 : 400;  // twips
        xs.assign(1, Uniform(0, 1500));
        ys.assign(1, Uniform(0, 1500));
        for (int i = 1; i < n; ++i) {
            double x = xs.back() + Uniform(-step, step), y = ys.back() + Uniform(-step, step);
            if (kind == 0) {  // whole pixels: ties in direction and repeated pixels abound
                x = std::round(x / 15) * 15;
                y = std::round(y / 15) * 15;
            }
            if (kind == 3 && Chance(0.1)) x = Uniform(-3000, 4500), y = Uniform(-3000, 4500);
            if (kind == 3 && Chance(0.05)) x = xs.back(), y = ys.back();
            if (kind == 4 && Chance(0.05)) x = std::numeric_limits<double>::quiet_NaN();
            if (kind == 4 && Chance(0.05)) y = 1e30 * (Chance(0.5) ? 1 : -1);
            if (kind == 4 && Chance(0.05)) x = std::numeric_limits<double>::infinity();
            // Mostly on the surface, so the painted runs are long.
            if (std::isfinite(x) && std::fabs(x) < 1e6) x = std::clamp(x, -500.0, 2000.0);
            if (std::isfinite(y) && std::fabs(y) < 1e6) y = std::clamp(y, -500.0, 2000.0);
            xs.push_back(x);
            ys.push_back(y);
        }
    }
};

}  // namespace

TEST_F(TwoSurfaces, RandomSeriesPaintTheSamePixelsAsOneLinePerSegment) {
    SeriesMaker maker(20261208);
    std::vector<double> xs, ys;
    for (int kind = 0; kind < 5; ++kind)
        for (int series = 0; series < 60; ++series) {
            SCOPED_TRACE("kind " + std::to_string(kind) + ", series " + std::to_string(series));
            maker.Make(kind, xs, ys);
            const uint32_t color = series % 2 ? 0x0000FFu : 0x123456u;
            Draw(xs, ys, 1, color);
            ExpectSameSurfaces();
            if (HasFailure()) return;
            // Now and then a new picture, so the series do not bury each other.
            if (series % 4 == 3) {
                bySegment.Cls();
                byPolyline.Cls();
            }
        }
}

TEST_F(TwoSurfaces, WidePensAndShortSeriesToo) {
    SeriesMaker maker(7);
    std::vector<double> xs, ys;
    for (int series = 0; series < 40; ++series) {
        maker.Make(series % 4, xs, ys);
        Draw(xs, ys, 1 + series % 4, 0xFF0000u);
        ExpectSameSurfaces();
        if (HasFailure()) return;
    }
    // A single point draws nothing and leaves the pen where it was.
    const double one[] = {300};
    byPolyline.Polyline(one, one, 1);
    ExpectSameSurfaces();
}

TEST_F(TwoSurfaces, LinesWaitingToBePaintedStayBeneathThePolyline) {
    // Lines drawn just before wait to be painted together; the polyline goes over them.
    bySegment.Line(150, 750, 1350, 750, 0x0000FFu);
    byPolyline.Line(150, 750, 1350, 750, 0x0000FFu);
    const std::vector<double> xs = {750, 750, 900}, ys = {150, 1350, 1350};
    Draw(xs, ys, 1, 0xFF00FFu);
    ExpectSameSurfaces();
    EXPECT_EQ(byPolyline.PixelAt(50, 50), 0xFF00FFu);  // the crossing shows the later colour
}

TEST_F(TwoSurfaces, LinesComeOutAsARawLineLoopDrawsThem) {
    // The raw loop paints in window pixels; a denser surface samples its own device pixels.
    if (bySegment.DevicePixelRatio() != 1) GTEST_SKIP() << "compares with window pixels only";
    // Whatever waits to be painted together, each thin line shows as the painter draws it
    // alone: lines that turn straight back, crossing and unconnected lines included.
    QTemporaryDir dir;
    const QString before = dir.filePath("before.png");
    ASSERT_TRUE(bySegment.SavePng(before.toStdString()));
    QImage raw(before);
    raw = raw.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&raw);
    QPen pen(QColor(255, 0, 0));
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    std::mt19937 rng(29);
    auto coordinate = [&] { return int(rng() % 100); };
    QPoint p(50, 50);
    for (int i = 0; i < 3000; ++i) {
        QPoint q = i % 7 == 0 ? QPoint(coordinate(), coordinate())
                              : QPoint(std::clamp(p.x() + int(rng() % 7) - 3, 0, 99),
                                       std::clamp(p.y() + int(rng() % 7) - 3, 0, 99));
        if (i % 11 == 0) p = QPoint(coordinate(), coordinate());  // not joined to the last
        if (q == p) continue;                                     // a point, painted as one in both
        bySegment.Line(float(p.x() * 15), float(p.y() * 15), float(q.x() * 15), float(q.y() * 15),
                       0x0000FFu);
        painter.drawLine(p, q);
        p = q;
    }
    painter.end();
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const QColor c(raw.pixel(x, y));
            const uint32_t bgr = uint32_t(c.red() | c.green() << 8 | c.blue() << 16);
            differing += bySegment.PixelAt(x, y) != bgr;
        }
    EXPECT_EQ(differing, 0);
}
