#include "chart/plot/TickPlan.h"

#include <cmath>

#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

namespace karvex {

namespace {
// A tick this close to 0 (relative to the step) is the tick at 0: tick values carry the
// rounding of a step that is itself a rounded fraction of the range.
constexpr double kZeroOfStep = 1e-5;

// The value of tick i, counted from the first tick rather than added up step by step, so no
// error builds up along the axis; rounded once to the precision of the axis limits (32-bit),
// so a tick computed a hair below a whole day still names the day it stands on.
double TickValue(double first, double step, size_t i, bool asDate) {
    double v = double(float(first + double(i) * step));
    if (!asDate && std::fabs(v) <= std::fabs(step) * kZeroOfStep) v = 0;
    return v;
}

// Date axes keep to the whole days of their limits. A numeric axis ends at its limit: a
// fractional step must not carry ticks past the frame.
bool WithinAxis(double v, const TickPlanInputs& in, bool asDate, bool first) {
    if (asDate) {
        const double day = std::trunc(v);
        return day <= in.max && (first || day >= in.min);
    }
    const double slack = std::fabs(in.step) * kZeroOfStep;
    return v <= in.max + slack && (first || v >= in.min - slack);
}

std::string Label(double v, bool& asDate, const std::string& pattern) {
    if (asDate) {
        const double day = std::trunc(v);
        if (ctl::IsValidDateSerial(day)) return ctl::FormatDate(day, pattern);
        asDate = false;
    }
    return NumericTickLabel(v);
}

void PlaceHorizontalLabels(const TickPlanInputs& in, Tick& t, float& lastEnd) {
    const PlotFrame& f = in.frame;
    const float pw = float(in.pixelW), ph = float(in.pixelH);
    const float sx = t.pos;
    const float w = in.textWidth(t.label), h = in.textHeight(t.label);
    // Below the plot, centred on the tick and kept inside the surface.
    float cx = sx - w / 2 < 0 ? pw : (sx + w > f.SurfaceW ? f.SurfaceW - w : sx - w / 2);
    float cy = f.SurfaceH - in.bottomScale + 4 * ph;
    if (cy >= f.SurfaceH) cy = f.SurfaceH - h;
    t.first = {cx, cy, cx > lastEnd};
    // Above the plot; only labels right of the end of the last one printed here appear.
    cx = sx - w / 2 < 0 ? pw : (sx + w > f.SurfaceW ? f.SurfaceW - w - 2 * pw : sx - w / 2);
    cy = in.topScale - h - 4 * ph;
    if (!(cy > 0)) cy = 0;
    t.second = {cx, cy, cx > lastEnd};
    if (t.second.printed) lastEnd = cx + w;  // where the pen stops after printing
}

void PlaceVerticalLabels(const TickPlanInputs& in, Tick& t, float h9, float& lastTop) {
    const PlotFrame& f = in.frame;
    const float pw = float(in.pixelW);
    const float sy = t.pos;
    const float w = in.textWidth(t.label), h = in.textHeight(t.label);
    const float cy = sy - h / 2 < 0 ? 0 : (sy + h > f.SurfaceH ? f.SurfaceH - h : sy - h / 2);
    // Only labels that end above the last one printed on the right appear.
    const bool printed = cy + h9 < lastTop || lastTop == 0;
    const float left = in.leftScale - w - pw > 0 ? in.leftScale - w - 2 * pw : pw;
    const float rightEdge = f.SurfaceW - in.rightScale;
    const float right = (rightEdge + 2 * pw >= f.SurfaceW || rightEdge + w > f.SurfaceW)
                            ? f.SurfaceW - w - 2 * pw
                            : rightEdge + 2 * pw;
    t.first = {left, cy, printed};
    t.second = {right, cy, printed};
    if (printed) lastTop = cy;
}
}  // namespace

std::string NumericTickLabel(double value) {
    // Whole as far as "0.##" can tell: such a value keeps the grouped whole-number form.
    const double hundredths = std::nearbyint(value * 100);
    const bool whole = std::fmod(hundredths, 100) == 0;
    return ctl::FormatNumber(value, whole ? "#,##0" : "0.##");
}

TickPlan PlanTicks(const TickPlanInputs& in) {
    const PlotFrame& f = in.frame;
    TickPlan plan;
    plan.asDate = in.asDate;
    double first, maxTicks;
    if (in.horizontal) {
        first = (double(f.OriginX) * f.ScaleFactorX + f.PlotLeft - in.leftScale) / f.ScaleFactorX;
        maxTicks = std::fabs(double(f.PlotRight) - f.PlotLeft) / in.pixelW + 2;
    } else {
        first =
            (double(f.OriginY) * f.ScaleFactorY + (f.SurfaceH - f.PlotBottom) - in.bottomScale) /
            f.ScaleFactorY;
        maxTicks = std::fabs(double(f.PlotBottom) - f.PlotTop) / in.pixelH + 2;
    }
    const float h9 = in.horizontal ? 0 : in.textHeight("9");
    float lastEnd = 0, lastTop = 0;
    double previous = 0;
    for (size_t i = 0;; ++i) {
        // A step that goes nowhere or backwards (a plot narrower than its margins), or more
        // ticks than the plot has pixels, ends the axis: no stored value may keep it going.
        if (i > 0 && (!(in.step > 0) || double(i) > maxTicks)) break;
        const double v = TickValue(first, in.step, i, plan.asDate);
        if (i > 0 && v == previous) break;  // the step is below the values' precision
        if (!WithinAxis(v, in, plan.asDate, i == 0)) break;
        previous = v;

        Tick t;
        t.value = v;
        t.label = Label(v, plan.asDate, in.datePattern);
        t.zero = !plan.asDate && v == 0;
        if (in.horizontal) {
            t.pos = float(DataToSurfaceX(f, v, in.leftScale));
            PlaceHorizontalLabels(in, t, lastEnd);
        } else {
            t.pos = float(DataToSurfaceY(f, v, in.bottomScale));
            PlaceVerticalLabels(in, t, h9, lastTop);
        }
        plan.ticks.push_back(std::move(t));
    }
    return plan;
}

}  // namespace karvex
