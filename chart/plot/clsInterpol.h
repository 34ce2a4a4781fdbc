#pragma once
#include <functional>
#include <span>
#include <string>

// Fits a straight line y = a·x + b by least squares through parallel arrays of X and Y values.
// Each pass yields to pending events after every point and stops early when the owner asks
// every long loop to stop.
class clsInterpol {
  public:
    // Answers the owner's FlagExit: true when long loops must stop.
    using FlagExitSource = std::function<bool()>;
    void setOwner(FlagExitSource flagExit) { flagExit_ = std::move(flagExit); }

    // True when the numbers below were set from the points; false with ControlError saying why
    // (the numbers then keep the values of the last successful fit).
    bool Interpolazione(std::span<const double> X, std::span<const double> Y);
    // The same fit through the two ends of one segment. Two points never fill a time slice, so
    // it runs without the per-point yields (a drawing yields once per segment instead).
    bool FitSegment(double x1, double y1, double x2, double y2);
    // True when FitSegment is sure to succeed for these ends: every coordinate is 0 or between
    // 1e-30 and 1e30 in size. Sums, spreads, slope, intercept and correlation then all stay
    // far inside the double range (spreads of such values are 0 or above about 1e-94), so a
    // drawing that does not use the line's numbers may leave the fit out.
    static bool SegmentFitCannotFail(double x1, double y1, double x2, double y2);

    double CoefficienteAngolare() const { return slope_; }
    double TermineNoto() const { return intercept_; }
    double Correlazione() const { return correlation_; }
    const std::string& ControlError() const { return controlError_; }

  private:
    bool FlagExit() const { return flagExit_ && flagExit_(); }
    // One implementation for both: with a fixed two-point span the compiler works the sums
    // out for two points.
    template <size_t Extent>
    bool Fit(std::span<const double, Extent> X, std::span<const double, Extent> Y, bool yield);

    FlagExitSource flagExit_;
    double slope_ = 0, intercept_ = 0, correlation_ = 0;
    std::string controlError_;
};
