#pragma once
// The chart benchmarks' point series: 100,000 points of a wavy curve on a coordinate-system
// chart, ready for Draw.
#include <cmath>
#include <memory>

#include "chart/ucKarvex.h"
#include "platform/com/UserControl.h"
#include "platform/sys/EventLoop.h"

namespace bench {

constexpr int kSeriesPoints = 100000;

inline double SeriesY(int i) {
    return 50 + 45 * std::sin(i * 0.001) * std::cos(i * 0.037);
}
inline double SeriesX(int i) {
    return 100.0 * i / (kSeriesPoints - 1);
}

struct SeriesChart {
    ctl::BasicSite site;
    std::unique_ptr<karvex::ucKarvex> chart;
    SeriesChart() {
        ctl::EnsureApplication();
        chart = std::make_unique<karvex::ucKarvex>(site);
        chart->Initialize();
        chart->InitProperties();
        chart->SetScaleUnit();
        for (int i = 0; i < kSeriesPoints; ++i)
            chart->Point_Add(ctl::Variant(SeriesX(i)), ctl::Variant(SeriesY(i)));
    }
};

}  // namespace bench
