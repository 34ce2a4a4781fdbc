#include "chart/plot/clsInterpol.h"

#include <cmath>

#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"

namespace {
// Point counts are 16-bit.
constexpr size_t kMaxPoints = 32767;
}  // namespace

bool clsInterpol::Interpolazione(std::span<const double> X, std::span<const double> Y) {
    return Fit(X, Y, true);
}

bool clsInterpol::FitSegment(double x1, double y1, double x2, double y2) {
    const double x[2] = {x1, x2}, y[2] = {y1, y2};
    return Fit(std::span<const double, 2>(x), std::span<const double, 2>(y), false);
}

namespace {
bool Moderate(double v) {
    const double a = std::fabs(v);
    return a == 0 || (a >= 1e-30 && a <= 1e30);  // false for NaN and infinities as well
}
}  // namespace

bool clsInterpol::SegmentFitCannotFail(double x1, double y1, double x2, double y2) {
    return Moderate(x1) && Moderate(y1) && Moderate(x2) && Moderate(y2);
}

template <size_t Extent>
bool clsInterpol::Fit(std::span<const double, Extent> X, std::span<const double, Extent> Y,
                      bool yield) {
    // An array with no elements was never sized: reading its bounds is a bad index.
    if (X.empty() || Y.empty()) {
        controlError_ = ctl::StandardErrorText(ctl::errSubscript);
        return false;
    }
    if (X.size() > kMaxPoints) {
        controlError_ = ctl::StandardErrorText(ctl::errOverflow);
        return false;
    }
    if (Y.size() != X.size()) {
        controlError_ = "Coordinate number is wrong.";
        return false;
    }
    const size_t n = X.size();

    double Sx = 0, Sy = 0, Sxy = 0;
    // Equal values are noted so that the rounding of their mean cannot turn a zero spread into
    // a tiny one (which would make the slope explode instead of being 0).
    bool sameX = true, sameY = true, stopped = false;
    for (size_t i = 0; i < n; ++i) {
        Sx += X[i];
        Sy += Y[i];
        Sxy += X[i] * Y[i];
        sameX = sameX && X[i] == X[0];
        sameY = sameY && Y[i] == Y[0];
        if (!yield) continue;
        ctl::YieldSlice();
        if ((stopped = FlagExit())) break;
    }
    const double mx = Sx / double(n), my = Sy / double(n);

    double Sxx = 0, Syy = 0;
    for (size_t j = 0; j < n; ++j) {
        Sxx += (X[j] - mx) * (X[j] - mx);
        Syy += (Y[j] - my) * (Y[j] - my);
        if (!yield) continue;
        ctl::YieldSlice();
        if (FlagExit()) break;
    }
    // A stopped pass works with what it summed; only a complete one knows all values are equal.
    const bool flat = !stopped && (sameX || sameY);
    if (flat && sameX) Sxx = 0;
    if (flat && sameY) Syy = 0;
    if (Sxx == 0) Sxx = 1;
    if (Syy == 0) Syy = 1;

    const double a = flat ? 0.0 : (Sxy - double(n) * mx * my) / Sxx;
    const double b = my - mx * a;
    const double r = std::fabs(a) * std::sqrt(Sxx / Syy);
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(r)) {
        controlError_ = ctl::StandardErrorText(ctl::errOverflow);
        return false;
    }
    slope_ = a;
    intercept_ = b;
    correlation_ = r;
    return true;
}
