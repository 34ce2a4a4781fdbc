#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "StoreFiles.h"
#include "TestSupport.h"
#include "chart/TrackStore.h"

using karvex::TrackStore;

namespace {
// A store in a fresh folder with the table made by the store tool's rules.
struct StoreTest : ::testing::Test {
    TempFolder dir;
    TrackStore store;
    void SetUp() override { MakeStore(dir.file("mappa.mdb")); }
    void Open() { store.Open(dir.path); }
    std::vector<std::string> Sent() {
        auto t = store.Trace();
        t.erase(std::remove_if(t.begin(), t.end(),
                               [](const std::string& s) {
                                   return s == "BEGIN" || s == "COMMIT" || s == "ROLLBACK";
                               }),
                t.end());
        return t;
    }
};
}  // namespace

TEST_F(StoreTest, SendsTheListedStatementsWithNamesQuoted) {
    AddBranch(dir.file("mappa.mdb"), "Bob's", 1, 1, 2);
    Open();
    const std::string name = "Bob's";
    std::vector<double> xs, ys;
    store.CountTracks();
    store.ListTrackNames();
    store.CountBranches(name);
    store.LoadBranch(name, 1, xs, ys, nullptr);
    store.StartNewBranch(name);
    store.StorePoint(100.5f, 7);
    store.ListTrackNames();
    store.RollBackNewTrack();
    store.DeleteTrack(name);
    EXPECT_EQ(
        Sent(),
        (std::vector<std::string>{
            "SELECT DISTINCT tratto FROM MAPPA",
            "SELECT DISTINCT tratto FROM mappa ORDER BY tratto",
            "SELECT DISTINCT ramo FROM MAPPA WHERE tratto='Bob''s' ORDER BY ramo",
            "SELECT ordinale,X,Y FROM mappa WHERE tratto='Bob''s' and ramo=1 ORDER BY ordinale",
            "SELECT DISTINCT ramo FROM MAPPA WHERE tratto ='Bob''s' ORDER BY ramo",
            "SELECT ordinale,X,Y FROM MAPPA WHERE tratto='Bob''s' and ramo=1 ORDER BY ordinale",
            "INSERT INTO MAPPA VALUES (3,'Bob''s',2,100.5,7)",
            "SELECT DISTINCT tratto FROM mappa WHERE tratto <>'Bob''s' ORDER BY tratto",
            "DELETE FROM MAPPA WHERE tratto ='Bob''s'"}));
}

TEST_F(StoreTest, ANewBranchGoesOnFromTheHighestBranchsLastOrdinal) {
    AddBranch(dir.file("mappa.mdb"), "river", 1, 1, 25);
    AddBranch(dir.file("mappa.mdb"), "river", 2, 26, 15);  // ordinals 26 ... 40
    Open();
    store.StartNewBranch("River");  // the same track: names compare without regard to case
    EXPECT_EQ(store.NewBranch(), 3);
    EXPECT_EQ(store.PointOrdinal(), 40);
    store.StorePoint(1, 2);
    EXPECT_EQ(store.PointOrdinal(), 41);
    EXPECT_TRUE(store.NewTrackOpen());
    store.CommitNewTrack();
    EXPECT_EQ(store.CountBranches("RIVER"), 3);
    EXPECT_EQ(store.CountTracks(), 1);

    store.StartNewBranch("lake");
    EXPECT_EQ(store.NewBranch(), 1);
    EXPECT_EQ(store.PointOrdinal(), 0);
}

TEST_F(StoreTest, AMissingTrackHasOneBranchThatDoesNotLoad) {
    Open();
    EXPECT_EQ(store.CountBranches("nowhere"), 1);
    std::vector<double> xs{1, 2}, ys{3};
    std::string text;
    EXPECT_NE(ErrorOf([&] { store.LoadBranch("nowhere", 1, xs, ys, nullptr); }, &text), 0);
    EXPECT_EQ(text, "Track name:  ''nowhere''\r\rThis Track doesn't exist.");
    EXPECT_EQ(xs.size(), 2u) << "a failed load leaves the arrays alone";
}

TEST_F(StoreTest, LoadingFillsTheArraysAndStopsWhenAsked) {
    AddBranch(dir.file("mappa.mdb"), "t", 1, 1, 10);
    Open();
    std::vector<double> xs, ys;
    store.LoadBranch("t", 1, xs, ys, nullptr);
    ASSERT_EQ(xs.size(), 10u);
    EXPECT_EQ(xs[9], 90);
    EXPECT_EQ(ys[9], 180);
    int rows = 0;
    store.LoadBranch("t", 1, xs, ys, [&] { return ++rows < 3; });
    // A stopped load holds the rows read so far, nothing after them (no stray points at 0, 0
    // for a drawing to run to).
    ASSERT_EQ(xs.size(), 3u);
    EXPECT_EQ(xs[2], 20);
}

TEST_F(StoreTest, TheOpenTrackIsLeftOutOfTheList) {
    AddBranch(dir.file("mappa.mdb"), "b", 1, 1, 1);
    AddBranch(dir.file("mappa.mdb"), "a", 1, 1, 1);
    Open();
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a", "b"}));
    store.StartNewBranch("B");
    store.StorePoint(0, 0);
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a"}));
    store.RollBackNewTrack();
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(StoreTest, OddNamesAreStoredAndFoundAgain) {
    Open();
    const std::vector<std::string> names = {"Bob's \"best\"",      "a;b; DROP TABLE MAPPA; --",
                                            "SELECT * FROM MAPPA", "tab\there",
                                            "Straße Ωμέγα 東京",   "''"};
    for (const auto& n : names) {
        store.StartNewBranch(n);
        store.StorePoint(1.25f, 2);
        store.CommitNewTrack();
    }
    auto listed = store.ListTrackNames();
    EXPECT_EQ(listed.size(), names.size());
    for (const auto& n : names) {
        EXPECT_NE(std::find(listed.begin(), listed.end(), n), listed.end()) << n;
        std::vector<double> xs, ys;
        store.LoadBranch(n, 1, xs, ys, nullptr);
        ASSERT_EQ(xs.size(), 1u) << n;
        EXPECT_EQ(xs[0], 1.25);
        store.DeleteTrack(n);
        EXPECT_EQ(store.CountBranches(n), 1);
    }
    EXPECT_TRUE(store.ListTrackNames().empty());
}

TEST_F(StoreTest, PointsAreStoredAsTheirSevenDigitText) {
    LocaleGuard italian(ctl::LocaleInfo::Italian());  // a decimal comma must not reach the text
    Open();
    store.StartNewBranch("p");
    store.StorePoint(0.1f, 1234.5678f);
    store.CommitNewTrack();
    EXPECT_EQ(store.Trace().back(), "COMMIT");
    EXPECT_EQ(Sent().back(), "INSERT INTO MAPPA VALUES (1,'p',1,0.1,1234.568)");
    std::vector<double> xs, ys;
    store.LoadBranch("p", 1, xs, ys, nullptr);
    EXPECT_EQ(xs[0], 0.1);
    EXPECT_EQ(ys[0], 1234.568);
}

TEST_F(StoreTest, AFailedDeleteRollsItsTransactionBack) {
    AddBranch(dir.file("mappa.mdb"), "keep", 1, 1, 3);
    {
        auto c = OpenFile(dir.file("mappa.mdb"), false);
        c->Execute(
            "CREATE TRIGGER nodelete BEFORE DELETE ON MAPPA WHEN old.ordinale = 3 "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    Open();
    EXPECT_NE(ErrorOf([&] { store.DeleteTrack("keep"); }), 0);
    EXPECT_EQ(store.DbConnection()->TransactionLevel(), 0);
    // A later new track commits only its own rows.
    store.StartNewBranch("new");
    store.StorePoint(5, 5);
    store.CommitNewTrack();
    TrackStore other;
    other.Open(dir.path);
    EXPECT_EQ(other.ListTrackNames(), (std::vector<std::string>{"keep", "new"}));
    std::vector<double> xs, ys;
    other.LoadBranch("keep", 1, xs, ys, nullptr);
    EXPECT_EQ(xs.size(), 3u);
}

TEST_F(StoreTest, AWrongTableFailsWithTheGenericCode) {
    TempFolder other;
    MakeStore(other.file("mappa.mdb"), "ordinale INTEGER, tratto TEXT, ramo INTEGER, X REAL");
    store.Open(other.path);
    store.StartNewBranch("t");
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, 1); }), -2147467259);
    EXPECT_TRUE(store.NewTrackOpen()) << "the transaction stays open after a failed insert";
    EXPECT_EQ(store.PointOrdinal(), 1);
    std::vector<double> xs, ys;
    std::string text;
    EXPECT_EQ(ErrorOf([&] { store.LoadBranch("t", 1, xs, ys, nullptr); }, &text), -2147467259);
    EXPECT_NE(text.find("Y"), std::string::npos) << text;
}

TEST_F(StoreTest, AKilledProcessLeavesCommittedTracksAndLosesTheOpenOne) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    if (child == 0) {
        try {
            TrackStore s;
            s.Open(dir.path);
            s.StartNewBranch("committed");
            for (int i = 0; i < 50; ++i) s.StorePoint(float(i), float(i));
            s.CommitNewTrack();
            s.StartNewBranch("open");
            for (int i = 0; i < 5000; ++i) s.StorePoint(float(i), float(i));
            char b = 1;
            (void)!write(ready[1], &b, 1);
            for (;;) s.StorePoint(1, 1);  // still inserting when killed
        } catch (...) {
        }
        _exit(1);
    }
    char b;
    ASSERT_EQ(read(ready[0], &b, 1), 1);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    Open();
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"committed"}));
    std::vector<double> xs, ys;
    store.LoadBranch("committed", 1, xs, ys, nullptr);
    EXPECT_EQ(xs.size(), 50u);
}

TEST_F(StoreTest, WithoutAConnectionEveryOperationSaysWhy) {
    TempFolder empty;
    std::string text;
    EXPECT_NE(ErrorOf([&] { store.Open(empty.path); }, &text), 0);
    EXPECT_NE(text.find(empty.file("mappa.mdb")), std::string::npos) << text;
    EXPECT_FALSE(store.IsOpen());
    std::string why;
    EXPECT_EQ(ErrorOf([&] { store.ListTrackNames(); }, &why), 91);
    EXPECT_NE(why.find(text), std::string::npos) << why;
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, 1); }), 91);
    EXPECT_FALSE(store.NewTrackOpen());
}
