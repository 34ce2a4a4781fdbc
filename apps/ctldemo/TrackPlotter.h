#pragma once
// Plots point series on a chart in coordinate-system mode. The animated form draws one
// segment per Draw call, so that a stop knows which points were reached: stopping wipes the
// chart's picture, and the page draws the frame and those points again at once.
#include <QColor>
#include <QString>
#include <vector>

class KarvexChart;

namespace demo {

class DrawRunner;

struct PlotTrack {
    std::vector<double> x;  // day numbers
    std::vector<double> y;
    QColor colour;
    bool marks = true;  // point marks (ViewPoints)
};

class TrackPlotter {
  public:
    TrackPlotter(KarvexChart& chart, DrawRunner& runner) : chart_(chart), runner_(runner) {}

    enum class Result { Done, Stopped, Failed };
    // Draws the track with the chart's Delay and BaseStep; `reached` is the number of its
    // points whose segments were drawn completely (all of them when done).
    Result animate(const PlotTrack& track, size_t& reached);
    // Draws the first `count` points of the track without animation; false on failure.
    bool drawAtOnce(const PlotTrack& track, size_t count);
    // Puts the track's points into the chart (its own Draw then plots them).
    bool load(const PlotTrack& track, size_t count);
    // Why the last call failed.
    const QString& error() const { return error_; }

  private:
    KarvexChart& chart_;
    DrawRunner& runner_;
    QString error_;
    bool draw(const PlotTrack& track, size_t from, size_t count);
};

}  // namespace demo
