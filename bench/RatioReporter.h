#pragma once
// Runs the registered benchmarks and prints, as the last line, the ratio of one benchmark's
// mean time per iteration to a baseline's: "ratio: X".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                seconds_[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    double Time(const std::string& name) const {
        auto it = seconds_.find(name);
        return it == seconds_.end() ? 0 : it->second;
    }

  private:
    std::map<std::string, double> seconds_;
};

inline int RunWithRatio(int argc, char** argv, const std::string& measured,
                        const std::string& baseline) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double base = reporter.Time(baseline), ours = reporter.Time(measured);
    std::printf("ratio: %.3f\n", base > 0 ? ours / base : 0.0);
    return 0;
}
