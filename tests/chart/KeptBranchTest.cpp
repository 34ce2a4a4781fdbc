// A branch loaded again is handed over from memory only while nothing can have changed it:
// whatever changed it since, by this store or by any other connection, the next load shows.
#include <gtest/gtest.h>

#include "StoreFiles.h"
#include "TestSupport.h"
#include "chart/map/TrackStore.h"

using karvex::TrackStore;

namespace {
struct KeptBranchTest : ::testing::TestWithParam<StoreKind> {
    TestStore s{GetParam()};
    TrackStore store;
    std::vector<double> xs, ys;
    void SetUp() override {
        ASSERT_TRUE(s.Ready());
        s.Make();
        s.AddBranch("t", 1, 1, 5);
        store.Open(s.dir.path);
    }
    size_t Load(const std::string& name = "t", int16_t branch = 1) {
        store.LoadBranch(name, branch, xs, ys, nullptr);
        return xs.size();
    }
};
}  // namespace

TEST_P(KeptBranchTest, ChangesByAnotherConnectionShowAtTheNextLoad) {
    ASSERT_EQ(Load(), 5u);
    ASSERT_EQ(Load(), 5u);
    s.AddBranch("t", 1, 6, 2);  // two more points on the same branch, from another program
    EXPECT_EQ(Load(), 7u);
    s.Connect()->Execute("UPDATE MAPPA SET X = 99 WHERE ordinale = 3");
    Load();
    EXPECT_EQ(xs[2], 99);
    s.Connect()->Execute("DELETE FROM MAPPA");
    EXPECT_NE(ErrorOf([&] { Load(); }), 0);
}

TEST_P(KeptBranchTest, ThisStoresOwnWritesShowAtTheNextLoad) {
    ASSERT_EQ(Load(), 5u);
    store.StartNewBranch("t");
    store.StorePoint(1, 2);
    ASSERT_EQ(Load("t", 2), 1u);  // the open track, as this connection sees it
    store.StorePoint(3, 4);
    EXPECT_EQ(Load("t", 2), 2u);
    store.RollBackNewTrack();
    EXPECT_NE(ErrorOf([&] { Load("t", 2); }), 0);
    ASSERT_EQ(Load(), 5u);
    store.DeleteTrack("t");
    EXPECT_NE(ErrorOf([&] { Load(); }), 0);
}

TEST_P(KeptBranchTest, ALoadStoppedOrChangedMidwayIsNotKeptWhole) {
    int rows = 0;
    store.LoadBranch("t", 1, xs, ys, [&] { return ++rows < 2; });
    ASSERT_EQ(xs.size(), 2u);
    EXPECT_EQ(Load(), 5u) << "a stopped load leaves nothing short behind for the next";
    // A point stored by code running between the rows of a load: the next load reads it.
    store.StartNewBranch("u");
    store.StorePoint(1, 1);
    bool stored = false;
    store.LoadBranch("u", 1, xs, ys, [&] {
        if (!stored) store.StorePoint(2, 2);
        stored = true;
        return true;
    });
    EXPECT_EQ(Load("u", 1), 2u);
    // Another store opened on the same folder keeps nothing of this one's.
    store.Open(s.dir.path);
    EXPECT_EQ(Load(), 5u);
}

INSTANTIATE_TEST_SUITE_P(Providers, KeptBranchTest,
                         ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return KindName(info.param); });
