#include "TrackPlotter.h"

#include <algorithm>

#include "DrawRunner.h"
#include "SampleData.h"
#include "widgets/KarvexChart.h"

namespace demo {

bool TrackPlotter::load(const PlotTrack& track, size_t count) {
    error_.clear();
    chart_.clearLastError();
    chart_.pointClear();
    bool refused = false;
    for (size_t i = 0; i < count && i < track.x.size() && !refused; ++i)
        refused =
            chart_.lastErrorNumber() != 0 || !chart_.pointAdd(DayOfSerial(track.x[i]), track.y[i]);
    if (chart_.lastErrorNumber() != 0) {
        error_ = chart_.lastErrorDescription();
        return false;
    }
    if (refused) error_ = chart_.controlError();  // the chart says why it refused the point
    return !refused;
}

bool TrackPlotter::draw(const PlotTrack& track, size_t from, size_t count) {
    PlotTrack part{{track.x.begin() + long(from), track.x.begin() + long(from + count)},
                   {track.y.begin() + long(from), track.y.begin() + long(from + count)},
                   track.colour,
                   track.marks};
    if (!load(part, count)) return false;
    const bool marks = chart_.viewPoints();
    chart_.setViewPoints(track.marks);
    chart_.setForeColor(track.colour);
    const bool ok = runner_.run([this] { return chart_.draw(); });
    chart_.setViewPoints(marks);
    if (!ok) error_ = runner_.lastError().isEmpty() ? chart_.controlError() : runner_.lastError();
    return ok;
}

TrackPlotter::Result TrackPlotter::animate(const PlotTrack& track, size_t& reached) {
    reached = 0;
    const size_t n = track.x.size();
    if (n < 2) return draw(track, 0, n) ? Result::Done : Result::Failed;
    reached = 1;
    for (size_t i = 0; i + 1 < n; ++i) {
        const bool ok = draw(track, i, 2);
        if (runner_.stopped()) return Result::Stopped;
        if (!ok) return Result::Failed;
        reached = i + 2;
    }
    return Result::Done;
}

bool TrackPlotter::drawAtOnce(const PlotTrack& track, size_t count) {
    count = std::min(count, track.x.size());
    if (count < 2) return true;  // a lone point has no segment to show
    const double delay = chart_.delay();
    chart_.setDelay(0);
    const bool ok = draw(track, 0, count);
    chart_.setDelay(delay);
    return ok && !runner_.stopped();
}

}  // namespace demo
