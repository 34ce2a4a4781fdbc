#pragma once
// The chart benchmarks' point series: 100,000 points of a wavy curve on a coordinate-system
// chart, ready for Draw (CTL_BENCH_POINTS asks for another count, for the scaling figures).
#include <cmath>
#include <cstdlib>
#include <memory>

#include "chart/ucKarvex.h"
#include "platform/com/UserControl.h"
#include "platform/sys/EventLoop.h"

namespace bench {

inline int SeriesPoints() {
    static const int n = [] {
        const char* asked = std::getenv("CTL_BENCH_POINTS");
        const int v = asked ? std::atoi(asked) : 0;
        return v >= 2 ? v : 100000;
    }();
    return n;
}

// The curve keeps its shape whatever the count: more points only sample it more densely.
inline double SeriesY(int i) {
    const double t = i * (100000.0 / SeriesPoints());
    return 50 + 45 * std::sin(t * 0.001) * std::cos(t * 0.037);
}
inline double SeriesX(int i) {
    return 100.0 * i / (SeriesPoints() - 1);
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
        for (int i = 0; i < SeriesPoints(); ++i)
            chart->Point_Add(ctl::Variant(SeriesX(i)), ctl::Variant(SeriesY(i)));
    }
};

}  // namespace bench
