#pragma once
// Runs the benchmarks of a program and ends its output with "ratio: X", the measured
// benchmark's processor time per iteration over its raw baseline's (medians over repetitions).
// Processor time, because the machines we measure on are shared: waiting for a core inflates
// the wall-clock times of the two benchmarks unevenly. The wall-clock ratio is printed just
// before it; on a quiet machine the two agree.
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
            if (r.run_type == Run::RT_Iteration && !r.error_occurred && r.iterations > 0) {
                const double n = double(r.iterations);
                cpu_[r.run_name.function_name].push_back(r.cpu_accumulated_time / n);
                wall_[r.run_name.function_name].push_back(r.real_accumulated_time / n);
            }
    }

    // Seconds per iteration of a benchmark (median of its runs); 0 when it did not run.
    double Cpu(const std::string& name) const { return Median(cpu_, name); }
    double Wall(const std::string& name) const { return Median(wall_, name); }

  private:
    using Times = std::map<std::string, std::vector<double>>;
    static double Median(const Times& times, const std::string& name) {
        auto it = times.find(name);
        if (it == times.end() || it->second.empty()) return 0;
        std::vector<double> v = it->second;
        std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
        return v[v.size() / 2];
    }

    Times cpu_, wall_;
};

// Which time the closing ratio compares. Wall-clock time for work that a server does in its own
// processes (the client's processor time leaves it out); processor time otherwise.
enum class RatioClock { Processor, Wall };

// Runs what the command line selects and prints the ratio of `measured` to `baseline` last.
inline int RunWithRatio(int argc, char** argv, const std::string& measured,
                        const std::string& baseline, RatioClock clock = RatioClock::Processor) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double m = reporter.Cpu(measured), b = reporter.Cpu(baseline);
    const double wm = reporter.Wall(measured), wb = reporter.Wall(baseline);
    std::fflush(stdout);
    if (clock == RatioClock::Wall) {
        if (m > 0 && b > 0) std::printf("processor-time ratio: %.2f\n", m / b);
        if (wm > 0 && wb > 0) {
            std::printf("ratio: %.2f\n", wm / wb);
            return 0;
        }
    } else if (wm > 0 && wb > 0) {
        std::printf("wall-clock ratio: %.2f\n", wm / wb);
    }
    if (m > 0 && b > 0 && clock == RatioClock::Processor)
        std::printf("ratio: %.2f\n", m / b);
    else
        std::printf("ratio: unknown (%s or %s did not run)\n", measured.c_str(), baseline.c_str());
    return 0;
}

}  // namespace bench
