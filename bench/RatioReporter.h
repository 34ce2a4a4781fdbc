#pragma once
// Runs the benchmarks of a program and ends its output with "ratio: X", the measured
// benchmark's time per iteration over its raw baseline's (medians over repetitions).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : benchmark::ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        benchmark::ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0)
                seconds_[r.run_name.function_name].push_back(r.real_accumulated_time /
                                                             double(r.iterations));
    }

    // Seconds per iteration of a benchmark (median of its runs); 0 when it did not run.
    double Seconds(const std::string& name) const {
        auto it = seconds_.find(name);
        if (it == seconds_.end() || it->second.empty()) return 0;
        std::vector<double> v = it->second;
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return v[v.size() / 2];
    }

  private:
    std::map<std::string, std::vector<double>> seconds_;
};

// Runs what the command line selects and prints the ratio of `measured` to `baseline` last.
inline int RunWithRatio(int argc, char** argv, const std::string& measured,
                        const std::string& baseline) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double m = reporter.Seconds(measured), b = reporter.Seconds(baseline);
    std::fflush(stdout);
    if (m > 0 && b > 0)
        std::printf("ratio: %.2f\n", m / b);
    else
        std::printf("ratio: unknown (%s or %s did not run)\n", measured.c_str(), baseline.c_str());
    return 0;
}

}  // namespace bench
