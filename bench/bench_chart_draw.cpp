// Draw of 100,000 points with no delay, against the same segments drawn with raw QPainter
// Its last output line is "ratio: X" (measured over raw baseline), printed by bench::RunWithRatio.
// lines onto an image of the same size, in the same run.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

#include "bench/RatioReporter.h"
#include "bench/SeriesChart.h"
#include "chart/ucKarvex.h"
#include "platform/sys/EventLoop.h"

namespace {
using Chart = bench::SeriesChart;

void BM_RawQPainterLines(benchmark::State& state) {
    Chart c;  // same surface size and the same mapped coordinates
    c.chart->Draw();
    const auto& tx = c.chart->TrackX();
    const auto& ty = c.chart->TrackY();
    std::vector<QPoint> pts(tx.size());
    for (size_t i = 0; i < tx.size(); ++i)
        pts[i] = QPoint(int(std::lround(tx[i] / 15)), int(std::lround(ty[i] / 15)));
    QImage img(c.chart->pic_main->ImageWidthPx(), c.chart->pic_main->ImageHeightPx(),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    for (auto _ : state) {
        QPainter p(&img);
        QPen pen(QColor(255, 0, 0));
        pen.setWidth(0);
        p.setPen(pen);
        for (size_t i = 0; i + 1 < pts.size(); ++i) p.drawLine(pts[i], pts[i + 1]);
        benchmark::DoNotOptimize(img.constBits());
    }
    state.SetItemsProcessed(state.iterations() * bench::SeriesPoints());
}
BENCHMARK(BM_RawQPainterLines)->Unit(benchmark::kMillisecond);

void BM_ChartDraw(benchmark::State& state) {
    Chart c;
    for (auto _ : state) {
        bool ok = c.chart->Draw();
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * bench::SeriesPoints());
}
BENCHMARK(BM_ChartDraw)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return bench::RunWithRatio(argc, argv, "BM_ChartDraw", "BM_RawQPainterLines");
}
