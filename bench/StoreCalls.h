#pragma once
// The track store's calls as the benchmarks time them, whichever engine holds the store: a
// new track of points stored in one transaction, and a long branch loaded with the yields of a
// replay.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/map/TrackStore.h"
#include "platform/sys/EventLoop.h"

namespace bench {

inline float PointX(int i) {
    return float(i % 9000) + 0.25f;
}
inline float PointY(int i) {
    return float((i * 7) % 6000);
}

// Stores `points` points as a new track of the store in `folder`; `fresh` empties the store
// (untimed) before each iteration.
inline void TimeStorePoints(benchmark::State& state, const std::string& folder, int points,
                            const std::function<void()>& fresh) {
    for (auto _ : state) {
        state.PauseTiming();
        fresh();
        karvex::TrackStore store;
        store.Open(folder);
        store.StartNewBranch("bench track");
        state.ResumeTiming();
        for (int i = 0; i < points; ++i) store.StorePoint(PointX(i), PointY(i));
        store.CommitNewTrack();
        state.PauseTiming();
        if (store.CountBranches("bench track") != 1) state.SkipWithError("points were lost");
        store.Close();
        state.ResumeTiming();
    }
}

// Loads branch 1 of "long track" (expected: `points` points) as a replay does.
inline void TimeLoadBranch(benchmark::State& state, const std::string& folder, int points) {
    karvex::TrackStore store;
    store.Open(folder);
    for (auto _ : state) {
        std::vector<double> xs, ys;
        ctl::ResetYieldSlice();
        store.LoadBranch("long track", 1, xs, ys, [] {
            ctl::YieldSlice();
            return true;
        });
        if (xs.size() != size_t(points)) state.SkipWithError("rows missing");
        benchmark::DoNotOptimize(xs.data());
    }
}

}  // namespace bench
