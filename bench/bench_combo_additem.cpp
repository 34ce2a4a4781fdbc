// Adding 100,000 distinct rows to a Simple Combo on a shown form, against appending the same
// rows to its two lists one ListBox::AddItem at a time with no duplicate test, in the same run;
// both until the lists' views have caught up. Its last output line is "ratio: X" (measured over
// the raw baseline), printed by bench::RunWithRatio.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "bench/RunTimeCombo.h"
#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/UserControl.h"
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

// A simple-style combo on a shown form, as its user sees it: its lists have their toolkit
// views, which hear of new rows.
struct ShownCombo {
    ctl::BasicSite site;
    ctl::Form form;
    std::unique_ptr<quorlin::ucvQuorlin> c;
    ShownCombo() {
        c = bench::RunTimeCombo(site, 1);
        form.Place(*c, 0, 0);
        form.Move(1500, 1500, c->Width() + 300, c->Height() + 300);
        form.Show();
        c->Show();
        ctl::DoEvents();
    }
    ~ShownCombo() {
        form.Hide();
        c.reset();
    }
};

void BM_AddItemStyle1(benchmark::State& state) {
    const auto& rows = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownCombo>();
        auto& c = shown->c;
        state.ResumeTiming();
        for (const auto& [a, b] : rows) c->AddItem(a, b, 1);
        ctl::DoEvents();  // the views catch up with the rows
        state.PauseTiming();
        if (c->ListCount() != kRows) state.SkipWithError("rows were refused");
        shown.reset();
        state.ResumeTiming();
    }
}

void BM_AppendToListsOnly(benchmark::State& state) {
    const auto& rows = Rows();
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownCombo>();
        auto& c = shown->c;
        state.ResumeTiming();
        for (const auto& [a, b] : rows) {
            c->lstCol1a.AddItem(a, 1);
            c->lstCol2a.AddItem(b);
        }
        ctl::DoEvents();
        state.PauseTiming();
        shown.reset();
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
