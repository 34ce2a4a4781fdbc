// What hostile scripts and failing disks did to the host: controls ended under a running call,
// places beyond any screen, prompts and pauses nobody can answer, files that are not files,
// and disks that fill up. Each run has a time limit: a host that hangs fails the test.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "HostRunner.h"
#include "StoreFiles.h"

using ctl::Json;

namespace {
constexpr int kLimit = 120;

bool Echoed(const std::vector<Json>& out, const std::string& text) {
    for (const Json& j : out)
        if (const Json* e = j.find("echo"); e && e->s == text) return true;
    return false;
}
std::vector<std::string> Errors(const std::vector<Json>& out) {
    std::vector<std::string> texts;
    for (const Json& j : out)
        if (ErrorNumber(j))
            texts.push_back(std::to_string(ErrorNumber(j)) + " " +
                            j.find("error")->find("description")->s);
    return texts;
}
int CountErrors(const std::vector<Json>& out, int number) {
    int n = 0;
    for (const Json& j : out) n += ErrorNumber(j) == number;
    return n;
}
std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}
}  // namespace

TEST(FaultScript, AControlEndedWhileItsAboutBoxOpensEndsTheCallSafely) {
    const std::string about =
        "[\"after\", 0, [\"terminate\"]]\n"
        "[\"call\", \"About\"]\n"
        "[\"call\", \"About\"]\n"
        "[\"echo\", \"done\"]\n";
    for (const char* cls : {"Karvex.ucKarvex", "Quorlin.ucvQuorlin"}) {
        SCOPED_TRACE(cls);
        auto out = RunHost("[\"create\", \"" + std::string(cls) + "\"]\n" + about, kLimit);
        EXPECT_TRUE(Echoed(out, "done")) << Dump(out);
        // The ended control answers no more calls, with a clear error.
        EXPECT_EQ(CountErrors(out, 91), 1) << Dump(out);
    }
    // Two charts share one box: the other one ends while the first opens it.
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"a\"}]\n"
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"b\"}]\n"
        "[\"use\", \"a\"]\n"
        "[\"after\", 0, [\"use\", \"b\"]]\n"
        "[\"after\", 0, [\"terminate\"]]\n"
        "[\"call\", \"About\"]\n"
        "[\"call\", \"About\"]\n"
        "[\"echo\", \"done\"]\n",
        kLimit);
    EXPECT_TRUE(Echoed(out, "done")) << Dump(out);
    EXPECT_TRUE(Errors(out).empty()) << Dump(out);
}

TEST(FaultScript, PlacesAndSizesBeyondAnyScreenAreBoundedAndQuick) {
    const std::string shots = ::testing::TempDir();
    auto start = std::chrono::steady_clock::now();
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"a\", \"left\": -2147483648, \"top\": "
        "2147483647}]\n"
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"name\": \"b\", \"left\": 2147483647, \"top\": "
        "-2147483648, \"width\": 2147483647}]\n"
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"c\", \"form\": \"f\", \"left\": 1e9, "
        "\"top\": 250000, \"width\": 600000, \"height\": 450000}]\n"
        "[\"mouse\", \"up\", 2, 0, 400, 300]\n"
        "[\"snapshotpopup\", \"" +
            shots +
            "far_popup.png\"]\n"
            "[\"snapshot\", \"" +
            shots +
            "far_screen.png\", \"screen\"]\n"
            "[\"echo\", \"done\"]\n",
        kLimit);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_TRUE(Echoed(out, "done")) << Dump(out);
    EXPECT_TRUE(Errors(out).empty()) << Dump(out);
}

TEST(FaultScript, ABoxThatOffersToRetryEndsWhenNobodyCanAnswerIt) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    // Another program in the middle of reading: no commit can finish while it reads.
    auto reader = OpenFile(dir.file("mappa.mdb"), false);
    reader->BeginTrans();
    reader->OpenRecordSet("SELECT count(*) FROM MAPPA");
    const std::string track = MapChart(dir) +
                              "[\"popup\", \"Create Track by points\"]\n"
                              "[\"answer\", \"msgbox\", 6]\n"
                              "[\"answer\", \"input\", \"held\"]\n"
                              "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
                              "[\"mouse\", \"up\", 1, 0, 1200, 5200]\n"
                              "[\"mouse\", \"up\", 1, 0, 3400, 4300]\n";
    // The script ends with the track open: the commit fails once and the box is cancelled.
    auto out = RunHost(track, kLimit);
    int retryBoxes = 0;
    for (const Json& j : out)
        if (const Json* t = j.find("text");
            t && t->s.find("has not been stored") != std::string::npos)
            ++retryBoxes;
    EXPECT_EQ(retryBoxes, 1) << Dump(out);
    ASSERT_FALSE(Errors(out).empty());
    EXPECT_NE(Errors(out).back().find("answered Cancel"), std::string::npos) << Dump(out);
    // Ended in the middle of the script, with nothing queued: a bounded number of retries.
    out = RunHost(track + "[\"terminate\"]\n[\"echo\", \"done\"]\n", kLimit);
    EXPECT_TRUE(Echoed(out, "done")) << Dump(out);
    EXPECT_NE(Dump(out).find("times with no answer queued"), std::string::npos) << Dump(out);
    reader->RollbackTrans();
}

TEST(FaultScript, APausedReplayNobodyCanResumeIsStopped) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "river", 1, 1, 400);
    auto out = RunHost(MapChart(dir) +
                           "[\"after\", 100, [\"mouse\", \"dblclick\", 1, 0, 100, 100]]\n"
                           "[\"call\", \"DrawTrack\", \"river\"]\n"
                           "[\"get\", \"FlagExit\"]\n"
                           "[\"echo\", \"done\"]\n",
                       kLimit);
    EXPECT_TRUE(Echoed(out, "done")) << Dump(out);
    const auto errors = Errors(out);
    ASSERT_EQ(errors.size(), 1u) << Dump(out);
    EXPECT_NE(errors[0].find("paused"), std::string::npos) << errors[0];
}

TEST(FaultScript, FilesThatAreNotFilesAreRefusedAndLinksKept) {
    TempFolder dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A property file reached through a link: the file it names is replaced, the link stays.
    std::ofstream(dir.file("real.json")) << "{}";
    std::filesystem::create_symlink("real.json", dir.file("link.json"));
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": false}]\n"
        "[\"save\", \"" +
            fifo + "\"]\n[\"snapshot\", \"" + fifo + "\"]\n[\"snapshot\", \"" + fifo +
            "\", \"screen\"]\n"
            "[\"let\", \"Title\", \"linked\"]\n"
            "[\"save\", \"" +
            dir.file("link.json") + "\"]\n[\"save\", \"" + dir.path + "\"]\n",
        kLimit);
    EXPECT_EQ(CountErrors(out, 75), 4) << Dump(out);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.json")));
    EXPECT_NE(ReadAll(dir.file("real.json")).find("linked"), std::string::npos);

    // A property file too big to be one says so.
    std::ofstream(dir.file("huge.json")) << "{";
    std::filesystem::resize_file(dir.file("huge.json"), (64 << 20) + 1);
    out = RunHost("[\"load\", \"Karvex.ucKarvex\", \"" + dir.file("huge.json") + "\"]\n", kLimit);
    ASSERT_EQ(Errors(out).size(), 1u) << Dump(out);
    EXPECT_NE(Errors(out)[0].find("larger than 64 MB"), std::string::npos) << Errors(out)[0];
}

// A real full disk: a small memory file system filled to the last byte. Needs the right to
// mount; skipped where it is missing.
TEST(FaultScript, PicturesOnAFullDiskFailAndKeepTheOlderFile) {
    TempFolder dir;
    const std::string disk = dir.file("disk");
    std::filesystem::create_directory(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    const std::string older = disk + "/older.png";
    std::ofstream(older) << std::string(64 * 1024, 'o');
    {
        std::ofstream fill(disk + "/fill", std::ios::binary);
        const std::string block(4096, 'f');
        while (fill.write(block.data(), block.size())) fill.flush();
    }
    for (const std::string& name : {std::string("older.png"), std::string("new.png")})
        for (const std::string& how : {std::string("\"screen\""), std::string()}) {
            SCOPED_TRACE(name + " " + how);
            const std::string file = disk + "/" + name;
            auto out = RunHost(
                "[\"create\", \"Karvex.ucKarvex\"]\n"
                "[\"mouse\", \"up\", 2, 0, 400, 300]\n"
                "[\"snapshot\", \"" +
                    file + "\"" + (how.empty() ? "" : ", " + how) +
                    "]\n"
                    "[\"snapshotpopup\", \"" +
                    file + "\"]\n",
                kLimit);
            EXPECT_EQ(CountErrors(out, 61), 2) << Dump(out);
            EXPECT_EQ(std::filesystem::exists(file), name == "older.png");
        }
    EXPECT_EQ(ReadAll(older), std::string(64 * 1024, 'o'));
    umount2(disk.c_str(), MNT_DETACH);
}
