#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "chart/plot/clsInterpol.h"

namespace {
struct Fit {
    bool ok;
    double slope, intercept, correlation;
};
Fit FitOf(clsInterpol& fit, std::vector<double> x, std::vector<double> y) {
    bool ok = fit.Interpolazione(x, y);
    return {ok, fit.CoefficienteAngolare(), fit.TermineNoto(), fit.Correlazione()};
}
}  // namespace

TEST(Interpol, RegressionOfKnownSets) {
    clsInterpol fit;
    EXPECT_EQ(fit.ControlError(), "");
    Fit two = FitOf(fit, {0, 2}, {1, 5});
    EXPECT_TRUE(two.ok);
    EXPECT_DOUBLE_EQ(two.slope, 2);
    EXPECT_DOUBLE_EQ(two.intercept, 1);
    EXPECT_DOUBLE_EQ(two.correlation, 1);

    Fit three = FitOf(fit, {1, 2, 3}, {3, 5, 4});
    EXPECT_DOUBLE_EQ(three.slope, 0.5);
    EXPECT_DOUBLE_EQ(three.intercept, 3);
    EXPECT_DOUBLE_EQ(three.correlation, 0.5);

    Fit one = FitOf(fit, {4}, {7});
    EXPECT_TRUE(one.ok);
    EXPECT_EQ(one.slope, 0);
    EXPECT_DOUBLE_EQ(one.intercept, 7);
    EXPECT_EQ(one.correlation, 0);

    std::array<double, 2> x{-1, 1}, y{3, -1};  // the renderer passes fixed pairs
    EXPECT_TRUE(fit.Interpolazione(x, y));
    EXPECT_DOUBLE_EQ(fit.CoefficienteAngolare(), -2);
}

TEST(Interpol, FlatSetsGiveSlopeZeroEvenWhenTheMeanRounds) {
    clsInterpol fit;
    Fit vertical = FitOf(fit, {3, 3}, {1, 5});
    EXPECT_EQ(vertical.slope, 0);
    EXPECT_DOUBLE_EQ(vertical.intercept, 3);
    EXPECT_EQ(vertical.correlation, 0);
    // 0.1 * 3 / 3 is not exactly 0.1: the spread must still count as zero.
    Fit rounding = FitOf(fit, {0.1, 0.1, 0.1}, {1, 2, 3});
    EXPECT_EQ(rounding.slope, 0);
    EXPECT_DOUBLE_EQ(rounding.intercept, 2);
    Fit horizontal = FitOf(fit, {1, 5, 9}, {0.7, 0.7, 0.7});
    EXPECT_EQ(horizontal.slope, 0);
    EXPECT_DOUBLE_EQ(horizontal.intercept, 0.7);
    EXPECT_EQ(horizontal.correlation, 0);
}

TEST(Interpol, BadInputFailsAndKeepsTheLastFit) {
    clsInterpol fit;
    FitOf(fit, {0, 2}, {1, 5});
    Fit uneven = FitOf(fit, {1, 2, 3}, {1, 2});
    EXPECT_FALSE(uneven.ok);
    EXPECT_EQ(fit.ControlError(), "Coordinate number is wrong.");
    EXPECT_DOUBLE_EQ(uneven.slope, 2);
    EXPECT_DOUBLE_EQ(uneven.intercept, 1);

    EXPECT_FALSE(FitOf(fit, {}, {}).ok);
    EXPECT_EQ(fit.ControlError(), "Subscript out of range");
    EXPECT_FALSE(FitOf(fit, {1}, {}).ok);
    EXPECT_EQ(fit.ControlError(), "Subscript out of range");

    EXPECT_FALSE(FitOf(fit, {1e200, -1e200}, {1e200, 1e180}).ok);
    EXPECT_EQ(fit.ControlError(), "Overflow");
    EXPECT_DOUBLE_EQ(fit.CoefficienteAngolare(), 2);
}

TEST(Interpol, PointCountIsSixteenBit) {
    clsInterpol fit;
    std::vector<double> x(32768), y(32768);
    for (size_t i = 0; i < x.size(); ++i) x[i] = y[i] = double(i);
    EXPECT_FALSE(fit.Interpolazione(x, y));
    EXPECT_EQ(fit.ControlError(), "Overflow");
    x.pop_back();
    y.pop_back();
    EXPECT_TRUE(fit.Interpolazione(x, y));
    EXPECT_DOUBLE_EQ(fit.CoefficienteAngolare(), 1);
}

TEST(Interpol, FlagExitEndsEachPassButTheFitStillCompletes) {
    clsInterpol fit;
    int checks = 0;
    fit.setOwner([&] { return ++checks >= 2; });  // set while the second point is summed
    Fit partial = FitOf(fit, {0, 1, 2, 3}, {0, 1, 2, 30});
    EXPECT_TRUE(partial.ok);
    EXPECT_EQ(checks, 3);  // two in the first pass, one in the second
    // Sums of the first two points over n = 4: mx = my = 0.25, and the second pass stopped
    // after one point: Sxx = Syy = 0.0625.
    EXPECT_DOUBLE_EQ(partial.slope, 12);
    EXPECT_DOUBLE_EQ(partial.intercept, -2.75);
    EXPECT_DOUBLE_EQ(partial.correlation, 12);

    fit.setOwner(nullptr);  // no owner: nothing stops the passes
    EXPECT_DOUBLE_EQ(FitOf(fit, {0, 1, 2, 3}, {0, 1, 2, 3}).slope, 1);
}

TEST(Interpol, SegmentFitAgreesWithTheArrayFit) {
    // The renderer fits each segment through FitSegment: same numbers, same failures.
    const std::vector<std::array<double, 4>> segments{{0, 1, 2, 5},
                                                      {3, 1, 3, 5},
                                                      {1, 0.7, 9, 0.7},
                                                      {-1e6, 3.5, 2e6, -7.25},
                                                      {1e200, 1e200, -1e200, 1e180}};
    for (const auto& s : segments) {
        clsInterpol a, b;
        std::array<double, 2> x{s[0], s[2]}, y{s[1], s[3]};
        const bool okA = a.Interpolazione(x, y), okB = b.FitSegment(s[0], s[1], s[2], s[3]);
        EXPECT_EQ(okA, okB);
        EXPECT_EQ(a.CoefficienteAngolare(), b.CoefficienteAngolare());
        EXPECT_EQ(a.TermineNoto(), b.TermineNoto());
        EXPECT_EQ(a.Correlazione(), b.Correlazione());
        EXPECT_EQ(a.ControlError(), b.ControlError());
    }
}

TEST(Interpol, SegmentsOfModerateValuesAlwaysFit) {
    // The renderer leaves the fit out for such segments when it does not walk them in steps:
    // no such segment may be one whose fit fails. Extremes, near-equal and mixed-sign ends.
    const std::vector<double> values{0,
                                     1e-30,
                                     -1e-30,
                                     1e30,
                                     -1e30,
                                     1.0000000000000002e30,
                                     1,
                                     -1,
                                     3.5,
                                     1 + 2.2e-16,
                                     1e-30 * (1 + 2.2e-16),
                                     12345,
                                     6e29,
                                     -7e-29,
                                     9600.000000001,
                                     0.1};
    clsInterpol fit;
    for (double x1 : values)
        for (double y1 : values)
            for (double x2 : values)
                for (double y2 : values) {
                    if (!clsInterpol::SegmentFitCannotFail(x1, y1, x2, y2)) continue;
                    ASSERT_TRUE(fit.FitSegment(x1, y1, x2, y2))
                        << x1 << " " << y1 << " " << x2 << " " << y2;
                }
    EXPECT_FALSE(clsInterpol::SegmentFitCannotFail(1e31, 0, 0, 0));
    EXPECT_FALSE(clsInterpol::SegmentFitCannotFail(0, 1e-31, 0, 0));
    EXPECT_FALSE(clsInterpol::SegmentFitCannotFail(0, 0, std::nan(""), 0));
    EXPECT_FALSE(clsInterpol::SegmentFitCannotFail(0, 0, 0, -INFINITY));
}
