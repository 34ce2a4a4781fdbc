// Adding 100,000 distinct rows to a Simple Combo, against appending the same rows to the two
// Its last output line is "ratio: X" (measured over raw baseline), printed by bench::RunWithRatio.
// lists with no duplicate test, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/sys/EventLoop.h"

namespace {
constexpr int kRows = 100000;

const std::vector<std::pair<std::string, std::string>>& Rows() {
    static const auto rows = [] {
        std::vector<std::pair<std::string, std::string>> r;
        r.reserve(kRows);
        for (int i = 0; i < kRows; ++i)
            r.emplace_back("Code " + std::to_string(i), "Description of row " + std::to_string(i));
        return r;
    }();
    return rows;
}

std::unique_ptr<quorlin::ucvQuorlin> SimpleCombo(ctl::BasicSite& site) {
    ctl::PropertyBag bag;
    bag.WriteProperty("Style", int32_t(1), int32_t(0));
    site.userMode = true;
    auto c = std::make_unique<quorlin::ucvQuorlin>(site);
    c->Initialize();
    c->ReadProperties(bag);
    c->TimerProc.setEnabled(false);
    return c;
}

void BM_AddItemStyle1(benchmark::State& state) {
    const auto& rows = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        ctl::BasicSite site;
        auto c = SimpleCombo(site);
        state.ResumeTiming();
        for (const auto& [a, b] : rows) c->AddItem(a, b, 1);
        state.PauseTiming();
        if (c->ListCount() != kRows) state.SkipWithError("rows were refused");
        c.reset();
        state.ResumeTiming();
    }
}

void BM_AppendToListsOnly(benchmark::State& state) {
    const auto& rows = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        ctl::BasicSite site;
        auto c = SimpleCombo(site);
        state.ResumeTiming();
        for (const auto& [a, b] : rows) {
            c->lstCol1a.AddItem(a, 1);
            c->lstCol2a.AddItem(b);
        }
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_AppendToListsOnly)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AddItemStyle1)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    return bench::RunWithRatio(argc, argv, "BM_AddItemStyle1", "BM_AppendToListsOnly");
}
