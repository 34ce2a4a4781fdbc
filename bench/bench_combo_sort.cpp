// Sort of 100,000 rows, against raw baselines in the same run:
// - text on column 1 (mixed case, accents, outer blanks) against std::sort of the same texts
//   with a case-insensitive QCollator, and against QStandardItemModel::sort of the same rows;
// - numbers on column 2 against std::sort of the doubles plus putting the rows back into the
//   drop-down lists in one insertion each.
// The last line is the text sort's ratio to its baseline.
#include <benchmark/benchmark.h>

#include <QCollator>
#include <QLocale>
#include <QStandardItemModel>
#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/RunTimeCombo.h"
#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Text.h"

namespace {
constexpr int kRows = 100000;

struct Row {
    std::string text, number;
    int32_t data;
};

const std::vector<Row>& Rows() {
    static const auto rows = [] {
        std::mt19937 rng(42);
        const char* letters[] = {"a",        "B",        "c", "D", "e", "\xc3\xa9", "\xc3\x89", "o",
                                 "\xc3\xb6", "\xc3\x96", "n", "N", "z", "s",        "\xc3\xa0"};
        std::vector<Row> r;
        r.reserve(kRows);
        for (int i = 0; i < kRows; ++i) {
            std::string t(rng() % 3, ' ');
            int len = 4 + int(rng() % 10);
            for (int k = 0; k < len; ++k) t += letters[rng() % 15];
            t += std::string(rng() % 3, ' ');
            char num[32];
            std::snprintf(num, sizeof num, "%.2f", double(rng() % 10000000) / 100.0);
            r.push_back({t, num, int32_t(i)});
        }
        return r;
    }();
    return rows;
}

std::unique_ptr<quorlin::ucvQuorlin> FilledCombo(ctl::BasicSite& site) {
    auto c = bench::RunTimeCombo(site, 0);
    for (const Row& r : Rows()) c->AddRow(r.text, r.number, r.data);
    return c;
}

void SortCombo(benchmark::State& state, int16_t col, bool numeric) {
    for (auto _ : state) {
        state.PauseTiming();
        ctl::BasicSite site;
        auto c = FilledCombo(site);
        state.ResumeTiming();
        c->Sort(col, numeric);
        state.PauseTiming();
        if (c->ListCount() != kRows) state.SkipWithError("rows lost");
        c.reset();
        state.ResumeTiming();
    }
}
void BM_ComboSortText(benchmark::State& state) {
    SortCombo(state, 1, false);
}
void BM_ComboSortNumber(benchmark::State& state) {
    SortCombo(state, 2, true);
}

void BM_StdSortCollator(benchmark::State& state) {
    // The collation the control uses on this machine: the system's, English for the bare C.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QString> texts;
        texts.reserve(kRows);
        for (const Row& r : Rows()) texts.push_back(QString::fromStdString(r.text));
        state.ResumeTiming();
        std::sort(texts.begin(), texts.end(),
                  [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
        benchmark::DoNotOptimize(texts.data());
    }
}

void BM_StandardItemModelSort(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        QStandardItemModel model(kRows, 2);
        int i = 0;
        for (const Row& r : Rows()) {
            model.setItem(i, 0, new QStandardItem(QString::fromStdString(r.text)));
            model.setItem(i, 1, new QStandardItem(QString::fromStdString(r.number)));
            ++i;
        }
        state.ResumeTiming();
        model.sort(0);
        benchmark::DoNotOptimize(&model);
    }
}

// The doubles sorted, then the rows put back into the control's lists in that order.
void BM_StdSortDoublesAndRebuild(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        ctl::BasicSite site;
        auto c = FilledCombo(site);
        std::vector<std::pair<double, int32_t>> keys;
        keys.reserve(kRows);
        for (const Row& r : Rows()) keys.emplace_back(ctl::Val(r.number), r.data);
        state.ResumeTiming();
        std::sort(keys.begin(), keys.end());
        c->ClearRows();
        std::vector<std::string> col1, col2;
        std::vector<int32_t> data;
        for (const auto& [k, i] : keys) {
            const Row& r = Rows()[size_t(i)];
            col1.push_back(r.text);
            col2.push_back(r.number);
            data.push_back(r.data);
        }
        c->ListWindow()->lstCol1.AddItems(col1, data);
        c->ListWindow()->lstCol2.AddItems(col2, {});
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_StdSortCollator)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StandardItemModelSort)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ComboSortText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdSortDoublesAndRebuild)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ComboSortNumber)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps each benchmark's processor time per iteration for the ratios printed at the end:
// on a shared machine the wall clock mostly measures the other programs.
class Recorder : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, double> ms;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) ms[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
    benchmark::Initialize(&argc, argv);
    Recorder rec;
    benchmark::RunSpecifiedBenchmarks(&rec);
    benchmark::Shutdown();
    auto get = [&](const char* prefix) {
        for (const auto& [name, v] : rec.ms)
            if (name.rfind(prefix, 0) == 0) return v;
        return 0.0;
    };
    double text = get("BM_ComboSortText"), collator = get("BM_StdSortCollator");
    double model = get("BM_StandardItemModelSort");
    double number = get("BM_ComboSortNumber"), doubles = get("BM_StdSortDoublesAndRebuild");
    std::printf("QStandardItemModel::sort / Sort (text): %.2f\n", text > 0 ? model / text : 0);
    std::printf("numeric ratio: %.2f\n", doubles > 0 ? number / doubles : 0);
    std::printf("ratio: %.2f\n", collator > 0 ? text / collator : 0);
    return 0;
}
