#include "TrackPlotter.h"

#include <algorithm>

#include "DrawRunner.h"
#include "platform/embed/ControlWidget.h"

namespace demo {

bool TrackPlotter::load(const PlotTrack& track, size_t count) {
    error_.clear();
    try {
        chart_.call("Point_Clear");
        for (size_t i = 0; i < count && i < track.x.size(); ++i)
            if (!chart_.call("Point_Add", {ctl::Variant::Date(track.x[i]), track.y[i]}).toBool()) {
                error_ = QString::fromStdString(chart_.get("ControlError").toString());
                return false;
            }
        return true;
    } catch (const ctl::RaisedError& e) {
        error_ = QString::fromStdString(e.description());
        return false;
    }
}

bool TrackPlotter::draw(const PlotTrack& track, size_t from, size_t count) {
    PlotTrack part{{track.x.begin() + long(from), track.x.begin() + long(from + count)},
                   {track.y.begin() + long(from), track.y.begin() + long(from + count)},
                   track.colour,
                   track.marks};
    if (!load(part, count)) return false;
    bool ok = false;
    try {
        const ctl::Variant marks = chart_.get("ViewPoints");
        chart_.set("ViewPoints", track.marks);
        chart_.set("ForeColor", int32_t(track.colour));
        ok = runner_.run([this] { return chart_.call("Draw").toBool(); });
        chart_.set("ViewPoints", marks);
    } catch (const ctl::RaisedError& e) {
        error_ = QString::fromStdString(e.description());
        return false;
    }
    if (!ok)
        error_ = runner_.lastError().isEmpty()
                     ? QString::fromStdString(chart_.get("ControlError").toString())
                     : runner_.lastError();
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
    ctl::Variant delay;
    try {
        delay = chart_.get("Delay");
        chart_.set("Delay", 0.0f);
    } catch (const ctl::RaisedError& e) {
        error_ = QString::fromStdString(e.description());
        return false;
    }
    const bool ok = draw(track, 0, count);
    try {
        chart_.set("Delay", delay);
    } catch (const ctl::RaisedError&) {
    }
    return ok && !runner_.stopped();
}

}  // namespace demo
