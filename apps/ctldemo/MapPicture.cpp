#include "MapPicture.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace demo {

namespace {
// Drawn on a 960 x 640 plan, scaled to fit the page beside its panel.
constexpr int kPlanWidth = 960, kPlanHeight = 640;
constexpr double kScale = 0.8;
constexpr int kWidth = int(kPlanWidth * kScale), kHeight = int(kPlanHeight * kScale);

QPainterPath Smooth(const std::vector<QPointF>& pts, bool closed) {
    QPainterPath path(pts.front());
    for (size_t i = 1; i < pts.size(); ++i) {
        QPointF mid = (pts[i - 1] + pts[i]) / 2;
        path.quadTo(pts[i - 1], mid);
    }
    path.lineTo(pts.back());
    if (closed) path.closeSubpath();
    return path;
}

QPainterPath MainRoad() {
    return Smooth({{40, 560}, {200, 480}, {380, 400}, {560, 380}, {720, 300}, {940, 260}}, false);
}

QPainterPath River() {
    return Smooth({{300, 180}, {360, 260}, {340, 360}, {420, 440}, {470, 560}, {480, 620}}, false);
}

// Points at even fractions of a path's length, from `from` to `to`, in pixels of the picture.
std::vector<QPointF> Along(const QPainterPath& path, double from, double to, int points) {
    std::vector<QPointF> route;
    for (int i = 0; i < points; ++i)
        route.push_back(path.pointAtPercent(from + (to - from) * i / std::max(1, points - 1)) *
                        kScale);
    return route;
}

void Town(QPainter& p, QPointF at, const QString& name, bool big) {
    p.setPen(QPen(QColor(60, 40, 40), 1.5));
    p.setBrush(big ? QColor(200, 60, 50) : QColor(250, 250, 245));
    double r = big ? 6 : 4;
    p.drawEllipse(at, r, r);
    QFont f("DejaVu Sans", big ? 11 : 9);
    f.setBold(big);
    p.setFont(f);
    p.setPen(QColor(40, 30, 30));
    p.drawText(at + QPointF(9, -6), name);
}
}  // namespace

bool EnsureMapPicture(const QString& path) {
    if (QFileInfo::exists(path)) return true;
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(QColor(170, 205, 230));  // sea
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);

    // Land with a ragged coast, an island and a lake.
    QPainterPath land = Smooth({{0, 0},
                                {960, 0},
                                {960, 300},
                                {900, 340},
                                {860, 420},
                                {780, 460},
                                {700, 520},
                                {610, 545},
                                {520, 600},
                                {430, 640},
                                {0, 640},
                                {0, 0}},
                               true);
    p.setPen(QPen(QColor(110, 150, 170), 2));
    p.setBrush(QColor(232, 228, 205));
    p.drawPath(land);
    p.setBrush(QColor(215, 228, 190));
    p.setPen(Qt::NoPen);
    p.drawPath(
        Smooth({{60, 60}, {300, 40}, {420, 120}, {380, 260}, {200, 300}, {80, 220}, {60, 60}},
               true));  // woods
    p.setPen(QPen(QColor(110, 150, 170), 2));
    p.setBrush(QColor(232, 228, 205));
    p.drawPath(
        Smooth({{800, 540}, {870, 520}, {910, 570}, {860, 610}, {790, 590}, {800, 540}}, true));
    p.setBrush(QColor(170, 205, 230));
    p.drawEllipse(QPointF(250, 170), 55, 32);

    // Contour-like hills.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(190, 170, 130), 1));
        p.drawEllipse(QPointF(650, 170), 150 - i * 32, 90 - i * 20);
    }

    // River from the lake to the sea.
    p.setPen(QPen(QColor(110, 160, 210), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(River());

    // Roads: a main road and two minor ones.
    QPen road(QColor(230, 150, 60), 6, Qt::SolidLine, Qt::RoundCap);
    QPen casing(QColor(150, 90, 40), 8, Qt::SolidLine, Qt::RoundCap);
    auto mainRoad =
        Smooth({{40, 560}, {200, 480}, {380, 400}, {560, 380}, {720, 300}, {940, 260}}, false);
    p.setPen(casing);
    p.drawPath(mainRoad);
    p.setPen(road);
    p.drawPath(mainRoad);
    p.setPen(QPen(QColor(250, 250, 250), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(Smooth({{380, 400}, {330, 300}, {240, 230}, {120, 110}}, false));
    p.drawPath(Smooth({{560, 380}, {600, 470}, {650, 520}}, false));

    // Grid and its labels.
    p.setPen(QPen(QColor(120, 120, 140, 90), 1, Qt::DashLine));
    for (int x = 120; x < kPlanWidth; x += 120) p.drawLine(x, 0, x, kPlanHeight);
    for (int y = 120; y < kPlanHeight; y += 120) p.drawLine(0, y, kPlanWidth, y);

    Town(p, {380, 400}, "Valmora", true);
    Town(p, {720, 300}, "Corte Alta", false);
    Town(p, {120, 110}, "Pineto", false);
    Town(p, {650, 520}, "Porto Lino", false);
    Town(p, {200, 480}, "Sarsina", false);

    // Compass and scale bar.
    p.setPen(QPen(QColor(50, 50, 70), 2));
    p.setBrush(QColor(50, 50, 70));
    QPointF c(900, 70);
    p.drawPolygon(QPolygonF({c + QPointF(0, -34), c + QPointF(9, 0), c + QPointF(-9, 0)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({c + QPointF(0, 34), c + QPointF(9, 0), c + QPointF(-9, 0)}));
    p.setFont(QFont("DejaVu Sans", 11, QFont::Bold));
    p.drawText(c + QPointF(-5, -40), "N");
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(40, 610, 200, 610);
    for (int x : {40, 120, 200}) p.drawLine(x, 604, x, 616);
    p.setFont(QFont("DejaVu Sans", 9));
    p.drawText(40, 598, "0");
    p.drawText(112, 598, "5");
    p.drawText(184, 598, "10 km");
    p.end();
    return img.save(path, "PNG");
}

std::vector<QPointF> MainRoadRoute(int points) {
    // Sarsina and Corte Alta lie at these fractions of the road's length.
    return Along(MainRoad(), 0.17, 0.77, points);
}

std::vector<QPointF> RiverRoute(int points) {
    return Along(River(), 0.0, 1.0, points);
}

}  // namespace demo
