// StorePoint of 10,000 points in one new-track transaction on a local PostgreSQL server (a
// throw-away one, started here), against raw libpq: one prepared insert run 10,000 times in
// one transaction, on the same table, in the same run. Wall-clock times: the server's work is
// in its own processes. Its last output line is "ratio: X" (measured over raw baseline).
#include <libpq-fe.h>

#include <charconv>
#include <string>
#include <vector>

#include "PgBenchStore.h"
#include "RatioReporter.h"
#include "StoreCalls.h"
#include "chart/map/TrackStore.h"

namespace {
constexpr int kPoints = 10000;

using bench::Server;

// An empty store made as the store tool makes it, emptied again between runs.
struct Store : bench::PgBenchStore {
    void Empty() const { Connect()->Execute("TRUNCATE MAPPA"); }
};

Store& TheStore() {
    static Store s;
    return s;
}

using bench::PointX;
using bench::PointY;

std::string Text(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

void BM_RawLibpqInsert(benchmark::State& state) {
    if (!Server().Running()) return state.SkipWithError(Server().Error().c_str());
    PGconn* conn = PQconnectdb(TheStore().conninfo.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        TheStore().Empty();
        state.ResumeTiming();
        PQclear(PQexec(conn, "BEGIN"));
        PQclear(PQprepare(conn, "", "INSERT INTO MAPPA VALUES ($1,$2,$3,$4,$5)", 5, nullptr));
        for (int i = 0; i < kPoints; ++i) {
            const std::string ord = std::to_string(i + 1), x = Text(PointX(i)), y = Text(PointY(i));
            const char* values[5] = {ord.c_str(), "bench track", "1", x.c_str(), y.c_str()};
            PGresult* r = PQexecPrepared(conn, "", 5, values, nullptr, nullptr, 0);
            if (PQresultStatus(r) != PGRES_COMMAND_OK) state.SkipWithError("insert failed");
            PQclear(r);
        }
        PQclear(PQexec(conn, "COMMIT"));
    }
    PQfinish(conn);
}
BENCHMARK(BM_RawLibpqInsert)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);

void BM_StorePoint(benchmark::State& state) {
    if (!Server().Running()) return state.SkipWithError(Server().Error().c_str());
    bench::TimeStorePoints(state, TheStore().folder, kPoints, [] { TheStore().Empty(); });
}
BENCHMARK(BM_StorePoint)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
}  // namespace

int main(int argc, char** argv) {
    return bench::RunInterleavedWithRatio(argc, argv, "BM_StorePoint", "BM_RawLibpqInsert");
}
