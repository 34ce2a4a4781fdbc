// A playback of a 100,000-point stored track (Delay 0) against a Draw of the same 100,000
// points from the point series, in the same run; the same playback when the store changed
// since the last one; and a step-mode drag of 10,000 mouse moves, each stored and drawn (time
// per move in the "us_per_move" column).
// Its last output line is "ratio: X" (playback over Draw), printed by bench::RunWithRatio.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "bench/RatioReporter.h"
#include "bench/SeriesChart.h"
#include "chart/map/TrackStore.h"
#include "chart/ucKarvex.h"
#include "platform/com/PropertyBag.h"
#include "platform/db/Connection.h"
#include "platform/forms/Input.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "trackio/Schema.h"

namespace {
constexpr int kMoves = 10000;

std::string Folder() {
    static std::string dir = [] {
        std::string d = std::filesystem::temp_directory_path().string() + "/bench_play_" +
                        std::to_string(getpid()) + "/";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

using bench::SeriesChart;

// The store holds the same segments as surface coordinates, under one track.
void MakeStoreOnce() {
    static bool made = false;
    if (made) return;
    made = true;
    SeriesChart c;
    c.chart->Draw();
    const auto& tx = c.chart->TrackX();
    const auto& ty = c.chart->TrackY();
    const std::string cs = "data source=" + Folder() + "mappa.mdb;create=yes;";
    auto db = ctl::db::CreateConnection(cs);
    db->Open(cs);
    trackio::CreateTrackTable(*db);
    db->BeginTrans();
    ctl::db::Statement insert("INSERT INTO MAPPA VALUES (?,?,?,?,?)");
    for (size_t i = 0; i < tx.size(); ++i) {
        insert.params = {int(i + 1), "long track", 1, tx[i], ty[i]};
        db->Execute(insert);
    }
    db->CommitTrans();
}

struct MapChart {
    ctl::BasicSite site;
    std::unique_ptr<karvex::ucKarvex> chart;
    MapChart() {
        ctl::EnsureApplication();
        MakeStoreOnce();
        site.folder = Folder();
        chart = std::make_unique<karvex::ucKarvex>(site);
        chart->Initialize();
        ctl::PropertyBag bag;
        bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
        chart->ReadProperties(bag);
    }
};

void BM_DrawSeries(benchmark::State& state) {
    SeriesChart c;
    for (auto _ : state) {
        bool ok = c.chart->Draw();
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * bench::SeriesPoints());
}
BENCHMARK(BM_DrawSeries)->Unit(benchmark::kMillisecond);

void BM_PlaybackStored(benchmark::State& state) {
    MapChart m;
    for (auto _ : state) {
        bool ok = m.chart->DrawTrack("long track");
        if (!ok || m.chart->TrackX().size() != size_t(bench::SeriesPoints()))
            state.SkipWithError(m.chart->ControlError().c_str());
    }
    state.SetItemsProcessed(state.iterations() * bench::SeriesPoints());
}
BENCHMARK(BM_PlaybackStored)->Unit(benchmark::kMillisecond);

// The same replay when another program changed the store since the last one (a row of another
// track comes and goes between the replays): the branch is read from the table every time.
void BM_PlaybackAfterChange(benchmark::State& state) {
    MapChart m;
    const std::string cs = "data source=" + Folder() + "mappa.mdb;";
    auto other = ctl::db::CreateConnection(cs);
    other->Open(cs);
    bool present = false;
    for (auto _ : state) {
        state.PauseTiming();
        other->Execute(present ? ctl::db::Statement("DELETE FROM MAPPA WHERE tratto = 'touch'")
                               : ctl::db::Statement("INSERT INTO MAPPA VALUES (1,'touch',1,0,0)"));
        present = !present;
        state.ResumeTiming();
        bool ok = m.chart->DrawTrack("long track");
        if (!ok || m.chart->TrackX().size() != size_t(bench::SeriesPoints()))
            state.SkipWithError(m.chart->ControlError().c_str());
    }
    state.SetItemsProcessed(state.iterations() * bench::SeriesPoints());
}
BENCHMARK(BM_PlaybackAfterChange)->Unit(benchmark::kMillisecond);

void BM_StepDrag(benchmark::State& state) {
    MapChart m;
    auto prompter = std::make_shared<ctl::ScriptedPrompter>();
    ctl::SetPrompter(prompter);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prompter->queueMessageBox(ctl::vbYes);
        prompter->queueInput("drag " + std::to_string(++n));
        m.chart->Menus().RunItem("mnuLineDraw");
        ctl::SimulateMouse(*m.chart->pic_main, "up", ctl::vbLeftButton, 0, 9000, 6000);
        state.ResumeTiming();
        // Up and to the left: every move is admitted.
        for (int i = 1; i <= kMoves; ++i)
            ctl::SimulateMouse(*m.chart->pic_main, "move", ctl::vbLeftButton, 0,
                               9000 - float(i % 9000), 6000 - float(i % 6000) * 0.5f);
        state.PauseTiming();
        if (m.chart->Store().PointOrdinal() < kMoves) state.SkipWithError("moves not stored");
        prompter->queueMessageBox(ctl::vbOK);
        m.chart->Menus().RunItem("mnuCommit");
        state.ResumeTiming();
    }
    state.counters["us_per_move"] =
        benchmark::Counter(double(kMoves) * double(state.iterations()) * 1e-6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    ctl::SetPrompter(nullptr);
}
BENCHMARK(BM_StepDrag)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    int r = bench::RunWithRatio(argc, argv, "BM_PlaybackStored", "BM_DrawSeries");
    std::filesystem::remove_all(Folder());
    return r;
}
