#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <thread>

#include "StoreFiles.h"
#include "TestSupport.h"
#include "chart/map/TrackStore.h"
#include "platform/db/DbErrors.h"
#include "platform/db/PostgresConnection.h"
#include "platform/sys/Text.h"

using karvex::TrackStore;

namespace {
// A store made by the store tool's rules, in a fresh folder: a file, or (through the folder's
// mappa.conn) a fresh database of the throw-away server. Every case runs on both.
struct StoreTest : ::testing::TestWithParam<StoreKind> {
    TestStore s{GetParam()};
    TempFolder& dir = s.dir;
    TrackStore store;
    void SetUp() override {
        ASSERT_TRUE(s.Ready());
        s.Make();
    }
    void Open() { store.Open(dir.path); }
    // The statements on the table (transactions and their locks left out).
    std::vector<std::string> Sent() {
        auto t = store.Trace();
        t.erase(std::remove_if(t.begin(), t.end(),
                               [](const std::string& text) {
                                   return ctl::ToLower(text).find("mappa") == std::string::npos;
                               }),
                t.end());
        return t;
    }
};
}  // namespace

TEST_P(StoreTest, SendsTheListedStatementsWithNamesQuoted) {
    s.AddBranch("Bob's", 1, 1, 2);
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
            // The first point numbers the branch again, inside its transaction, from what
            // is there then.
            "SELECT DISTINCT ramo FROM MAPPA WHERE tratto ='Bob''s' ORDER BY ramo",
            "SELECT ordinale,X,Y FROM MAPPA WHERE tratto='Bob''s' and ramo=1 ORDER BY ordinale",
            "INSERT INTO MAPPA VALUES (3,'Bob''s',2,100.5,7)",
            "SELECT DISTINCT tratto FROM mappa WHERE tratto <>'Bob''s' ORDER BY tratto",
            "DELETE FROM MAPPA WHERE tratto ='Bob''s'"}));
}

TEST_P(StoreTest, ANewBranchGoesOnFromTheHighestBranchsLastOrdinal) {
    s.AddBranch("river", 1, 1, 25);
    s.AddBranch("river", 2, 26, 15);  // ordinals 26 ... 40
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

TEST_P(StoreTest, AMissingTrackHasOneBranchThatDoesNotLoad) {
    Open();
    EXPECT_EQ(store.CountBranches("nowhere"), 1);
    std::vector<double> xs{1, 2}, ys{3};
    std::string text;
    EXPECT_NE(ErrorOf([&] { store.LoadBranch("nowhere", 1, xs, ys, nullptr); }, &text), 0);
    EXPECT_EQ(text, "Track name:  ''nowhere''\r\rThis Track doesn't exist.");
    EXPECT_EQ(xs.size(), 2u) << "a failed load leaves the arrays alone";
}

TEST_P(StoreTest, LoadingFillsTheArraysAndStopsWhenAsked) {
    s.AddBranch("t", 1, 1, 10);
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

    // A load started between the rows of another (a command run meanwhile) fills its own
    // arrays; the outer load still ends whole, and the next one reuses memory without harm.
    s.AddBranch("u", 1, 1, 4);
    std::vector<double> inner, innerY;
    bool nested = false;
    store.LoadBranch("t", 1, xs, ys, [&] {
        if (!nested) {
            nested = true;
            store.LoadBranch("u", 1, inner, innerY, nullptr);
        }
        return true;
    });
    EXPECT_EQ(xs.size(), 10u);
    EXPECT_EQ(xs[9], 90);
    EXPECT_EQ(inner.size(), 4u);
    store.LoadBranch("u", 1, xs, ys, nullptr);
    EXPECT_EQ(xs, (std::vector<double>{0, 10, 20, 30}));
    EXPECT_EQ(inner, (std::vector<double>{0, 10, 20, 30}));
}

TEST_P(StoreTest, TheOpenTrackIsLeftOutOfTheList) {
    s.AddBranch("b", 1, 1, 1);
    s.AddBranch("a", 1, 1, 1);
    Open();
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a", "b"}));
    store.StartNewBranch("B");
    store.StorePoint(0, 0);
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a"}));
    store.RollBackNewTrack();
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"a", "b"}));
}

TEST_P(StoreTest, OddNamesAreStoredAndFoundAgain) {
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

TEST_P(StoreTest, PointsAreStoredAsTheirSevenDigitText) {
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

TEST_P(StoreTest, AFailedDeleteRollsItsTransactionBack) {
    s.AddBranch("keep", 1, 1, 3);
    if (s.kind == StoreKind::File) {
        s.Connect()->Execute(
            "CREATE TRIGGER nodelete BEFORE DELETE ON MAPPA WHEN old.ordinale = 3 "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    } else {
        auto c = s.Connect();
        c->Execute(
            "CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
            "$$ BEGIN RAISE EXCEPTION 'refused'; END $$");
        c->Execute(
            "CREATE TRIGGER nodelete BEFORE DELETE ON MAPPA FOR EACH ROW WHEN (old.ordinale = 3) "
            "EXECUTE FUNCTION refuse()");
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

TEST_P(StoreTest, AWrongTableFailsWithTheGenericCode) {
    TestStore other(GetParam());
    ASSERT_TRUE(other.Ready());
    other.Make("ordinale INTEGER, tratto TEXT, ramo INTEGER, X REAL");
    store.Open(other.dir.path);
    store.StartNewBranch("t");
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, 1); }), -2147467259);
    EXPECT_TRUE(store.NewTrackOpen()) << "the transaction stays open after a failed insert";
    EXPECT_EQ(store.PointOrdinal(), 1);
    std::vector<double> xs, ys;
    std::string text;
    EXPECT_EQ(ErrorOf([&] { store.LoadBranch("t", 1, xs, ys, nullptr); }, &text), -2147467259);
    EXPECT_NE(ctl::ToLower(text).find("y"), std::string::npos) << text;
}

TEST_P(StoreTest, AKilledProcessLeavesCommittedTracksAndLosesTheOpenOne) {
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

TEST_P(StoreTest, WithoutAConnectionEveryOperationSaysWhy) {
    TempFolder empty;
    std::string text;
    std::string where = empty.file("mappa.mdb");
    if (s.kind == StoreKind::Server) {
        // A server that is not there: the message names it, never the password.
        std::ofstream(empty.file("Mappa.conn"))
            << "host=" << empty.path << "nosuchdir port=5999 dbname=tracks user=ann "
            << "password=Sesame123\n";
        where = "server " + empty.path + "nosuchdir:5999, database tracks, user ann";
    }
    EXPECT_EQ(ErrorOf([&] { store.Open(empty.path); }, &text), ctl::db::errDbCannotOpen);
    EXPECT_NE(text.find(where), std::string::npos) << text;
    EXPECT_EQ(text.find("Sesame123"), std::string::npos) << text;
    EXPECT_FALSE(store.IsOpen());
    std::string why;
    EXPECT_EQ(ErrorOf([&] { store.ListTrackNames(); }, &why), 91);
    EXPECT_NE(why.find(text), std::string::npos) << why;
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, 1); }), 91);
    EXPECT_FALSE(store.NewTrackOpen());
}

TEST_P(StoreTest, AnotherUsersBranchTakenMeanwhileMovesTheNewOneOn) {
    s.AddBranch("river", 1, 1, 10);
    Open();
    TrackStore other;
    other.Open(dir.path);
    // Both choose branch 2 after ordinal 10 ...
    store.StartNewBranch("river");
    other.StartNewBranch("RIVER");
    EXPECT_EQ(other.NewBranch(), 2);
    // ... the other one stores it first ...
    for (int i = 0; i < 3; ++i) other.StorePoint(float(i), 1);
    // ... and holds the track until it commits: this one waits a little, then says so and
    // stores nothing (nothing hangs; the user goes on drawing).
    std::string text;
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(5, 5); }, &text), ctl::db::errDbBusy);
    EXPECT_NE(text.find("try again"), std::string::npos) << text;
    EXPECT_FALSE(store.NewTrackOpen());
    EXPECT_EQ(store.PointOrdinal(), 10);
    other.CommitNewTrack();
    store.StorePoint(5, 5);
    EXPECT_EQ(store.NewBranch(), 3);
    EXPECT_EQ(store.PointOrdinal(), 14);
    store.CommitNewTrack();
    EXPECT_EQ(store.CountBranches("river"), 3);
    std::vector<double> xs, ys;
    store.LoadBranch("river", 2, xs, ys, nullptr);
    EXPECT_EQ(xs.size(), 3u);
    store.LoadBranch("river", 3, xs, ys, nullptr);
    EXPECT_EQ(xs, std::vector<double>{5});
}

TEST_P(StoreTest, TwoProcessesDrawingIntoOneTrackKeepEveryPointInBranchesOfTheirOwn) {
    constexpr int kPoints = 300;
    s.AddBranch("shared", 1, 1, 5);
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int who = 0; who < 2; ++who) {
        pid_t child = fork();
        if (child == 0) {
            int status = 1;
            try {
                TrackStore mine;
                mine.Open(dir.path);
                mine.StartNewBranch("shared");  // both choose branch 2 before either draws
                char b;
                if (read(go[0], &b, 1) != 1) _exit(2);
                // A user who goes on drawing while the other holds the track: retried until
                // the other commits, within bounds.
                const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
                for (int i = 0; i < kPoints; ++i) {
                    for (;;) {
                        try {
                            mine.StorePoint(float(who * 1000 + i), float(i));
                            break;
                        } catch (const ctl::RaisedError& e) {
                            if (e.number() != ctl::db::errDbBusy ||
                                std::chrono::steady_clock::now() > end)
                                throw;
                        }
                    }
                }
                mine.CommitNewTrack();
                status = 0;
            } catch (...) {
            }
            _exit(status);
        }
        children.push_back(child);
    }
    ASSERT_EQ(write(go[1], "gg", 2), 2);
    for (pid_t c : children) {
        int st = 0;
        waitpid(c, &st, 0);
        EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << "a drawing process failed";
    }
    close(go[0]);
    close(go[1]);
    Open();
    EXPECT_EQ(store.CountBranches("shared"), 3);
    auto c = s.Connect();
    ctl::db::RecordSet rs = c->OpenRecordSet(
        "SELECT ordinale, ramo, X FROM MAPPA WHERE tratto='shared' ORDER BY ordinale");
    ASSERT_EQ(rs.RecordCount(), 5 + 2 * kPoints);
    // Ordinals run 1 ... 605 without a gap or a repeat, each branch's points in one run, in
    // the order they were drawn.
    int64_t expected = 1, lastBranch = 1;
    double lastX = -1;
    for (; !rs.IsEOF(); rs.MoveNext(), ++expected) {
        EXPECT_EQ(rs.Field("ordinale").asInteger(), expected);
        const int64_t branch = rs.Field("ramo").asInteger();
        if (branch != lastBranch) {
            EXPECT_EQ(branch, lastBranch + 1) << "at ordinal " << expected;
            lastBranch = branch;
            lastX = -1;
        } else if (branch > 1) {
            EXPECT_GT(rs.Field("X").asDouble(), lastX) << "at ordinal " << expected;
        }
        lastX = rs.Field("X").asDouble();
    }
}

TEST_P(StoreTest, ANewBranchIsNumberedFromTheBranchesPresentAtItsFirstPoint) {
    s.AddBranch("river", 1, 1, 10);
    Open();
    store.StartNewBranch("river");
    EXPECT_EQ(store.NewBranch(), 2);
    // Another user deletes the track between the start of the drawing and its first point.
    TrackStore other;
    other.Open(dir.path);
    other.DeleteTrack("RIVER");
    store.StorePoint(5, 5);
    EXPECT_EQ(store.NewBranch(), 1) << "no branch 2 of a track that has no branch 1";
    EXPECT_EQ(store.PointOrdinal(), 1);
    EXPECT_EQ(store.CommitNewTrack(), 1);
    EXPECT_EQ(store.CountBranches("river"), 1);
    std::vector<double> xs, ys;
    store.LoadBranch("river", 1, xs, ys, nullptr);
    EXPECT_EQ(xs, std::vector<double>{5});

    // The same user deletes it between "Create Track" and the first click.
    store.StartNewBranch("river");
    EXPECT_EQ(store.NewBranch(), 2);
    store.DeleteTrack("river");
    store.StorePoint(6, 6);
    store.CommitNewTrack();
    store.LoadBranch("river", 1, xs, ys, nullptr);
    EXPECT_EQ(xs, std::vector<double>{6});
}

TEST_P(StoreTest, DeletingATrackWaitsForTheBranchBeingDrawnOnIt) {
    s.AddBranch("river", 1, 1, 3);
    Open();
    store.StartNewBranch("river");
    store.StorePoint(1, 1);
    TrackStore other;
    other.Open(dir.path);
    std::string text;
    EXPECT_EQ(ErrorOf([&] { other.DeleteTrack("River"); }, &text), ctl::db::errDbBusy);
    EXPECT_NE(text.find("try again"), std::string::npos) << text;
    EXPECT_EQ(store.CommitNewTrack(), 1);
    other.DeleteTrack("river");
    EXPECT_TRUE(other.ListTrackNames().empty());
}

TEST_P(StoreTest, NamesFoldTheLettersAToZOnlyAndListAlikeOnEveryStore) {
    Open();
    for (const char* name : {"\xC3\x89"
                             "clair",
                             "\xC3\xA9"
                             "clair",
                             "River", "river", "b", "Zeta", "alpha"}) {
        store.StartNewBranch(name);
        store.StorePoint(1, 1);
        store.CommitNewTrack();
    }
    // "Éclair" and "éclair" are two tracks, "River" and "river" one, in the order of the
    // names with A to Z folded.
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"alpha", "b", "River", "Zeta",
                                                                "\xC3\x89"
                                                                "clair",
                                                                "\xC3\xA9"
                                                                "clair"}));
    EXPECT_EQ(store.CountTracks(), 6);
    EXPECT_EQ(store.CountBranches("RIVER"), 2);
    EXPECT_EQ(store.CountBranches("\xC3\xA9"
                                  "clair"),
              1);
    store.StartNewBranch(
        "\xC3\xA9"
        "CLAIR");
    EXPECT_EQ(store.NewBranch(), 2) << "É folds to é nowhere, but C to c everywhere";
    store.DeleteTrack(
        "\xC3\x89"
        "clair");
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"alpha", "b", "River", "Zeta",
                                                                "\xC3\xA9"
                                                                "clair"}));
}

TEST_P(StoreTest, AFolderWithQuotesAndSemicolonsInItsNameIsOpenedByItsPath) {
    const std::string folder = dir.path + "f\"o;l data=x/";
    std::filesystem::create_directories(folder);
    if (s.kind == StoreKind::Server) {
        std::filesystem::copy_file(dir.file("mappa.conn"), folder + "mappa.conn");
    } else {
        MakeStore(folder + "mappa.mdb");
        std::ofstream(dir.path + "f") << "not the store";
    }
    store.Open(folder);
    store.StartNewBranch("here");
    store.StorePoint(1, 2);
    store.CommitNewTrack();
    if (s.kind == StoreKind::File) {
        EXPECT_EQ(OpenFile(folder + "mappa.mdb", false)
                      ->OpenRecordSet("SELECT tratto FROM MAPPA")
                      .RecordCount(),
                  1);
        EXPECT_FALSE(std::filesystem::exists(dir.path + "f\"o"));
    }
    EXPECT_EQ(store.ListTrackNames(), std::vector<std::string>{"here"});
}

TEST_P(StoreTest, ACommitOfATrackWhosePointsWereAllRefusedStoresNothing) {
    s.AddBranch("full", 1, 2147483646, 2);  // its last ordinal is the largest there is
    Open();
    store.StartNewBranch("full");
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, 1); }), ctl::errOverflow);
    EXPECT_EQ(store.PointsTried(), 1);
    EXPECT_EQ(store.PointsKept(), 0);
    EXPECT_EQ(store.CommitNewTrack(), 0);
    EXPECT_FALSE(store.NewTrackOpen());
    EXPECT_EQ(store.CountBranches("full"), 1);
    // A coordinate that is no number is refused before anything is sent.
    store.StartNewBranch("inf");
    const size_t sent = store.Trace().size();
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(std::numeric_limits<float>::infinity(), 1); }),
              ctl::errOverflow);
    EXPECT_EQ(ErrorOf([&] { store.StorePoint(1, std::nanf("")); }), ctl::errOverflow);
    EXPECT_EQ(store.Trace().size(), sent);
    EXPECT_FALSE(store.NewTrackOpen());
}

INSTANTIATE_TEST_SUITE_P(Providers, StoreTest,
                         ::testing::Values(StoreKind::File, StoreKind::Server),
                         [](const auto& info) { return KindName(info.param); });

// A full store (the engine's own limit on the file's pages, which it meets as it meets a full
// disk: it rolls the whole transaction back): nothing is sent outside the track's
// transaction, the points are sent again in a new one once there is room, and the track is
// stored whole, without a gap in its ordinals.
TEST(StoreOnFile, AFullDiskEndsTheTransactionAndNothingIsSentOutsideIt) {
    TestStore s(StoreKind::File);
    s.Make();
    TrackStore store;
    store.Open(s.dir.path);
    ctl::db::Connection& c = *store.DbConnection();
    auto pages = [&] { return c.OpenRecordSet("PRAGMA page_count").FieldAt(0).asInteger(); };
    c.Execute("PRAGMA max_page_count = " + std::to_string(pages()));
    store.StartNewBranch("t");
    int stored = 0;
    std::string text;
    for (; stored < 10000; ++stored)
        if (ErrorOf([&] { store.StorePoint(float(stored + 1), 0); }, &text) != 0) break;
    ASSERT_LT(stored, 10000) << "the file never filled";
    EXPECT_NE(text.find(s.dir.file("mappa.mdb")), std::string::npos) << "names the store: " << text;
    EXPECT_NE(text.find("kept"), std::string::npos) << text;
    EXPECT_EQ(c.TransactionLevel(), 0) << "the engine ended the transaction";
    EXPECT_NE(ErrorOf([&] { store.StorePoint(float(stored + 2), 0); }), 0);
    EXPECT_TRUE(store.NewTrackOpen());
    EXPECT_EQ(store.PointsKept(), stored + 2);
    EXPECT_EQ(s.Connect()->OpenRecordSet("SELECT * FROM MAPPA").RecordCount(), 0)
        << "nothing was stored outside the track's transaction";
    EXPECT_NE(ErrorOf([&] { store.CommitNewTrack(); }), 0);
    EXPECT_TRUE(store.NewTrackOpen()) << "a failed commit keeps the track";
    c.Execute("PRAGMA max_page_count = 1000000");  // room again
    store.StorePoint(float(stored + 3), 0);
    EXPECT_EQ(store.CommitNewTrack(), stored + 3);
    auto rs = s.Connect()->OpenRecordSet("SELECT ordinale, X FROM MAPPA ORDER BY ordinale");
    ASSERT_EQ(rs.RecordCount(), stored + 3);
    for (int64_t expected = 1; !rs.IsEOF(); rs.MoveNext(), ++expected) {
        EXPECT_EQ(rs.Field("ordinale").asInteger(), expected);
        EXPECT_EQ(rs.Field("X").asDouble(), double(expected));
    }
}

namespace {
// Ends every other session of the store's database, as a dropped link or a restarted server
// does.
void CutConnections(const TestStore& s) {
    s.Connect()->OpenRecordSet(
        "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = "
        "current_database() AND pid <> pg_backend_pid()");
}
}  // namespace

TEST(StoreOnServer, ALostConnectionIsOpenedAgainAndLosesNoPointOfTheOpenTrack) {
    TestStore s(StoreKind::Server);
    ASSERT_TRUE(s.Ready());
    s.Make();
    s.AddBranch("river", 1, 1, 10);
    TrackStore store;
    store.Open(s.dir.path);
    store.StartNewBranch("river");
    for (int i = 0; i < 3; ++i) store.StorePoint(float(i), 0);
    CutConnections(s);
    // The next point opens the connection again and sends the branch again, itself included.
    store.StorePoint(3, 0);
    store.StorePoint(4, 0);
    EXPECT_EQ(store.CommitNewTrack(), 5);
    std::vector<double> xs, ys;
    store.LoadBranch("river", 2, xs, ys, nullptr);
    EXPECT_EQ(xs, (std::vector<double>{0, 1, 2, 3, 4}));
    // Lost just before the commit: the commit sends the branch again, in one transaction.
    store.StartNewBranch("river");
    store.StorePoint(7, 0);
    store.StorePoint(8, 0);
    CutConnections(s);
    EXPECT_EQ(store.CommitNewTrack(), 2);
    store.LoadBranch("river", 3, xs, ys, nullptr);
    EXPECT_EQ(xs, (std::vector<double>{7, 8}));
    auto rs = s.Connect()->OpenRecordSet(
        "SELECT ordinale FROM MAPPA WHERE tratto='river' ORDER BY ordinale");
    EXPECT_EQ(rs.RecordCount(), 17);
    for (int64_t expected = 1; !rs.IsEOF(); rs.MoveNext(), ++expected)
        EXPECT_EQ(rs.Field("ordinale").asInteger(), expected);
    // Other operations open it again too.
    CutConnections(s);
    EXPECT_EQ(store.ListTrackNames(), std::vector<std::string>{"river"});
}
