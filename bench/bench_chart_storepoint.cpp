// StorePoint of 100,000 points in one new-track transaction, against a raw prepared SQLite
// Its last output line is "ratio: X" (measured over raw baseline), printed by bench::RunWithRatio.
// insert of the same rows in one transaction, on the same kind of store file, in the same run.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "RatioReporter.h"
#include "StoreCalls.h"
#include "chart/map/TrackStore.h"
#include "platform/db/Connection.h"
#include "trackio/Schema.h"

namespace {
constexpr int kPoints = 100000;

std::string Folder() {
    static std::string dir = [] {
        std::string d = std::filesystem::temp_directory_path().string() + "/bench_store_" +
                        std::to_string(getpid()) + "/";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// A new store with the table and index the store tool makes.
void FreshStore() {
    std::filesystem::remove(Folder() + "mappa.mdb");
    const std::string cs = "data source=" + Folder() + "mappa.mdb;create=yes;";
    auto c = ctl::db::CreateConnection(cs);
    c->Open(cs);
    trackio::CreateTrackTable(*c);
}

using bench::PointX;
using bench::PointY;

void BM_RawSqliteInsert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        FreshStore();
        sqlite3* db = nullptr;
        sqlite3_open_v2((Folder() + "mappa.mdb").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO MAPPA VALUES (?,?,?,?,?)", -1, &st, nullptr);
        for (int i = 0; i < kPoints; ++i) {
            sqlite3_bind_int(st, 1, i + 1);
            sqlite3_bind_text(st, 2, "bench track", -1, SQLITE_STATIC);
            sqlite3_bind_int(st, 3, 1);
            sqlite3_bind_double(st, 4, PointX(i));
            sqlite3_bind_double(st, 5, PointY(i));
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RawSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StorePoint(benchmark::State& state) {
    bench::TimeStorePoints(state, Folder(), kPoints, FreshStore);
}
BENCHMARK(BM_StorePoint)->Unit(benchmark::kMillisecond)->Iterations(5);
}  // namespace

int main(int argc, char** argv) {
    int r = bench::RunWithRatio(argc, argv, "BM_StorePoint", "BM_RawSqliteInsert");
    std::filesystem::remove_all(Folder());
    return r;
}
