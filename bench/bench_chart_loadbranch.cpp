// LoadBranch of a 100,000-point branch (with its time-sliced yields) against a raw prepared
// Its last output line is "ratio: X" (measured over raw baseline), printed by bench::RunWithRatio.
// SQLite select of the same rows into arrays, in the same run.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "StoreCalls.h"
#include "chart/map/TrackStore.h"
#include "platform/db/Connection.h"
#include "platform/sys/EventLoop.h"
#include "trackio/Schema.h"

namespace {
constexpr int kPoints = 100000;

std::string Folder() {
    static std::string dir = [] {
        std::string d = std::filesystem::temp_directory_path().string() + "/bench_load_" +
                        std::to_string(getpid()) + "/";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void MakeStoreOnce() {
    static bool made = false;
    if (made) return;
    made = true;
    const std::string cs = "data source=" + Folder() + "mappa.mdb;create=yes;";
    auto c = ctl::db::CreateConnection(cs);
    c->Open(cs);
    trackio::CreateTrackTable(*c);
    c->BeginTrans();
    ctl::db::Statement insert("INSERT INTO MAPPA VALUES (?,?,?,?,?)");
    for (int i = 0; i < kPoints; ++i) {
        insert.params = {i + 1, "long track", 1, double(i % 9000), double(i % 6000)};
        c->Execute(insert);
    }
    // Another track around it, so the select has to pick its rows.
    for (int i = 0; i < 1000; ++i) {
        insert.params = {i + 1, "other", 1, 1.0, 1.0};
        c->Execute(insert);
    }
    c->CommitTrans();
}

void BM_RawSqliteSelect(benchmark::State& state) {
    MakeStoreOnce();
    sqlite3* db = nullptr;
    sqlite3_open_v2((Folder() + "mappa.mdb").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    for (auto _ : state) {
        std::vector<double> xs, ys;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT ordinale,X,Y FROM mappa WHERE tratto=? and ramo=? ORDER BY "
                           "ordinale",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, "long track", -1, SQLITE_STATIC);
        sqlite3_bind_int(st, 2, 1);
        while (sqlite3_step(st) == SQLITE_ROW) {
            xs.push_back(sqlite3_column_double(st, 1));
            ys.push_back(sqlite3_column_double(st, 2));
        }
        sqlite3_finalize(st);
        if (xs.size() != size_t(kPoints)) state.SkipWithError("rows missing");
        benchmark::DoNotOptimize(xs.data());
    }
    sqlite3_close(db);
}
BENCHMARK(BM_RawSqliteSelect)->Unit(benchmark::kMillisecond);

void BM_LoadBranch(benchmark::State& state) {
    MakeStoreOnce();
    bench::TimeLoadBranch(state, Folder(), kPoints);
}
BENCHMARK(BM_LoadBranch)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    int r = bench::RunWithRatio(argc, argv, "BM_LoadBranch", "BM_RawSqliteSelect");
    std::filesystem::remove_all(Folder());
    return r;
}
