#pragma once
// The ticks of one axis of the coordinate system, worked out before anything is painted: their
// values, label texts, positions and which labels are printed (a label that would overlap the
// one before is skipped). SetScaleUnit walks the plan and paints it.
#include <functional>
#include <string>
#include <vector>

#include "chart/plot/PlotFrame.h"

namespace karvex {

// Where one label of a tick goes (twips, top-left of the text) and whether it is printed.
struct TickLabelPlace {
    float x = 0, y = 0;
    bool printed = false;
};

struct Tick {
    double value = 0;  // the data value the tick stands on (a day number on a date axis)
    std::string label;
    float pos = 0;  // surface x of a horizontal axis tick, surface y of a vertical one
    // Below and above the plot on the horizontal axis, left and right on the vertical one.
    TickLabelPlace first, second;
    bool zero = false;  // a numeric tick at value 0: it carries the full axis line
};

struct TickPlanInputs {
    bool horizontal = true;
    PlotFrame frame;
    float leftScale = 480, topScale = 240, rightScale = 480, bottomScale = 240;
    int pixelW = 15, pixelH = 15;
    float min = 0, max = 100;  // the axis range (MinX, MaxX or MinY, MaxY)
    double step = 10;          // data units from one tick to the next
    bool asDate = false;
    std::string datePattern = "dd/mm/yy";
    std::function<float(const std::string&)> textWidth, textHeight;
};

struct TickPlan {
    std::vector<Tick> ticks;
    // False when the axis was a date axis but a tick fell outside the dates: its labels are
    // numbers from there on, and the axis reads as numeric.
    bool asDate = false;
};

TickPlan PlanTicks(const TickPlanInputs& in);

// The label of a numeric tick: "#,##0" for a whole value (with grouping), "0.##" otherwise.
std::string NumericTickLabel(double value);

}  // namespace karvex
