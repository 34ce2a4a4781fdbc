// LoadBranch of a 100,000-point branch (with its time-sliced yields) on a local PostgreSQL
// server (a throw-away one, started here), against raw libpq: the same prepared select, its
// text values read into arrays, in the same run. Wall-clock times: the server's work is in
// its own processes. Its last output line is "ratio: X" (measured over raw baseline).
#include <libpq-fe.h>

#include <charconv>
#include <string>
#include <vector>

#include "PgBenchStore.h"
#include "RatioReporter.h"
#include "StoreCalls.h"
#include "chart/map/TrackStore.h"
#include "platform/sys/EventLoop.h"

namespace {
constexpr int kPoints = 100000;

using bench::Server;

// A long track among another one, in a store made as the store tool makes it.
struct Store : bench::PgBenchStore {
    Store() {
        auto c = Connect();
        c->Execute(
            "INSERT INTO MAPPA SELECT i, 'long track', 1, i % 9000 + 0.25, (i * 7) % 6000 "
            "FROM generate_series(1, 100000) i");
        c->Execute("INSERT INTO MAPPA SELECT i, 'other', 1, 1, 1 FROM generate_series(1, 1000) i");
        c->Execute("ANALYZE MAPPA");
    }
};

Store& TheStore() {
    static Store s;
    return s;
}

void BM_RawLibpqSelect(benchmark::State& state) {
    if (!Server().Running()) return state.SkipWithError(Server().Error().c_str());
    PGconn* conn = PQconnectdb(TheStore().conninfo.c_str());
    PQclear(PQprepare(conn, "",
                      "SELECT ordinale,X,Y FROM mappa WHERE tratto=$1 and ramo=$2 ORDER BY "
                      "ordinale",
                      2, nullptr));
    for (auto _ : state) {
        const char* values[2] = {"long track", "1"};
        PGresult* r = PQexecPrepared(conn, "", 2, values, nullptr, nullptr, 0);
        const int rows = PQntuples(r);
        std::vector<double> xs(static_cast<size_t>(rows)), ys(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            const char* x = PQgetvalue(r, i, 1);
            const char* y = PQgetvalue(r, i, 2);
            std::from_chars(x, x + PQgetlength(r, i, 1), xs[size_t(i)]);
            std::from_chars(y, y + PQgetlength(r, i, 2), ys[size_t(i)]);
        }
        PQclear(r);
        if (xs.size() != size_t(kPoints)) state.SkipWithError("rows missing");
        benchmark::DoNotOptimize(xs.data());
    }
    PQfinish(conn);
}
BENCHMARK(BM_RawLibpqSelect)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);

void BM_LoadBranch(benchmark::State& state) {
    if (!Server().Running()) return state.SkipWithError(Server().Error().c_str());
    bench::TimeLoadBranch(state, TheStore().folder, kPoints);
}
BENCHMARK(BM_LoadBranch)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    return bench::RunInterleavedWithRatio(argc, argv, "BM_LoadBranch", "BM_RawLibpqSelect");
}
