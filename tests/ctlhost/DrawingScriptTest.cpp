// Drawing and replaying tracks in map mode through the script host, as a user does with the
// mouse, the keyboard and the chart's dialogs.
#include <string>

#include "HostRunner.h"
#include "PictureFiles.h"
#include "StoreFiles.h"

namespace {
// The texts of the message boxes shown, in order.
std::vector<std::string> MessageTexts(const std::vector<ctl::Json>& out) {
    std::vector<std::string> texts;
    for (const auto& j : out)
        if (const ctl::Json* p = j.find("prompt"); p && p->s == "msgbox")
            texts.push_back(j.find("text")->s);
    return texts;
}
std::vector<const ctl::Json*> Results(const std::vector<ctl::Json>& out) {
    std::vector<const ctl::Json*> r;
    for (const auto& j : out)
        if (const ctl::Json* v = j.find("result")) r.push_back(v);
    return r;
}
int Count(const std::vector<ctl::Json>& out, const std::string& event) {
    int n = 0;
    for (const auto& j : out)
        if (const ctl::Json* e = j.find("event"); e && e->s == event) ++n;
    return n;
}
}  // namespace

TEST(DrawingScript, ASecondBranchByPointsIsCommittedListedPlayedPausedResumedAndCancelled) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "river", 1, 1, 1000);
    auto out = RunHost(MapChart(dir) +
                       "[\"popup\", \"Create Track by points\"]\n"
                       "[\"answer\", \"msgbox\", 6]\n"
                       "[\"answer\", \"input\", \"river\"]\n"
                       "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
                       "[\"mouse\", \"up\", 1, 0, 1200, 5200]\n"
                       "[\"mouse\", \"up\", 1, 0, 3400, 4300]\n"
                       "[\"mouse\", \"up\", 1, 0, 5600, 4700]\n"
                       "[\"popup\", \"Close and commit new Track\"]\n"
                       "[\"answer\", \"msgbox\", 1]\n"
                       "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
                       "[\"get\", \"TrackName\"]\n"
                       "[\"tool\", \"ListTrackNames\"]\n"
                       "[\"tool\", \"CountBranches\", \"RIVER\"]\n"
                       "[\"after\", 150, [\"mouse\", \"dblclick\", 1, 0, 100, 100]]\n"
                       "[\"after\", 300, [\"sysmenu\"]]\n"
                       "[\"after\", 450, [\"mouse\", \"dblclick\", 1, 0, 100, 100]]\n"
                       "[\"after\", 600, [\"answer\", \"msgbox\", 6]]\n"
                       "[\"after\", 610, [\"key\", \"press\", 27]]\n"
                       "[\"call\", \"DrawTrack\", \"river\"]\n"
                       "[\"get\", \"FlagExit\"]\n");
    const std::string all = Dump(out);
    const auto texts = MessageTexts(out);
    ASSERT_GE(texts.size(), 3u) << all;
    EXPECT_EQ(texts[1],
              "New Track named  ''river''  (of the  2\xC2\xB0 Branch) has been stored in DB.")
        << all;
    EXPECT_EQ(texts.back(), "Are you sure you want to cancel the current drawing ?") << all;
    const auto r = Results(out);
    ASSERT_GE(r.size(), 6u) << all;
    EXPECT_EQ(r[r.size() - 6]->s, "river") << all;             // TrackName
    EXPECT_EQ(r[r.size() - 5]->dump(), "[\"river\"]") << all;  // listed once
    EXPECT_EQ(r[r.size() - 4]->dump(), "[2]") << all;          // two branches
    std::string drawCommand;  // the system-menu mirror of "Draw Track" while paused
    for (const auto& i : r[r.size() - 3]->items)
        if (i.find("id")->n == 1102) drawCommand = i.find("text")->s;
    EXPECT_EQ(drawCommand, "Resume drawing in progress") << all;
    EXPECT_EQ(r[r.size() - 1]->b, false) << all;       // cancelled, and over: FlagExit clear
    EXPECT_EQ(Count(out, "FinishDrawing"), 0) << all;  // never ran to its end
    EXPECT_EQ(Count(out, "StartDrawing"), 1) << all;
}

TEST(DrawingScript, StepModeRecordsEveryMoveButOneFarBothRightAndBelow) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    auto out = RunHost(MapChart(dir) +
                       "[\"popup\", \"Create Track by step\"]\n"
                       "[\"answer\", \"msgbox\", 6]\n"
                       "[\"answer\", \"input\", \"trail\"]\n"
                       "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
                       "[\"mouse\", \"down\", 1, 0, 1000, 1000]\n"
                       "[\"mouse\", \"up\", 1, 0, 1000, 1000]\n"
                       "[\"mouse\", \"move\", 1, 0, 1040, 1040]\n"
                       "[\"mouse\", \"move\", 1, 0, 1040, 1020]\n"
                       "[\"mouse\", \"move\", 1, 0, 900, 5000]\n"
                       "[\"mouse\", \"move\", 0, 0, 9000, 6000]\n"  // no button held
                       "[\"popup\", \"Close and commit new Track\"]\n"
                       "[\"answer\", \"msgbox\", 1]\n"
                       "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
                       "[\"tool\", \"LoadBranch\", \"trail\", 1]\n"
                       "[\"tool\", \"TrackPoints\"]\n");
    const std::string all = Dump(out);
    const auto r = Results(out);
    ASSERT_GE(r.size(), 2u) << all;
    EXPECT_EQ(r[r.size() - 2]->dump(), "[true,3]") << all;
    const ctl::Json& points = *r.back();
    ASSERT_EQ(points.items.size(), 6u) << all;
    const double want[] = {1000, 1000, 1040, 1020, 900, 5000};
    for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(points.items[i].n, want[i], 0.01) << i << all;
}

TEST(DrawingScript, PicturesOfEachFormatLoadFromTheOpenDialogAndABrokenOneIsAnError) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("map.bmp"), "BMP"));
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("map.jpg"), "JPEG"));
    picturefiles::WriteGif(dir.file("map.gif"));
    picturefiles::WriteWmf(dir.file("map.wmf"));
    picturefiles::WriteBytes(dir.file("broken.bmp"), {'B', 'M', 0, 1, 2});
    std::string script = MapChart(dir);
    for (const char* name : {"map.bmp", "map.jpg", "map.gif", "map.wmf", "broken.bmp"})
        script +=
            "[\"popup\", \"Set Picture...\"]\n"
            "[\"answer\", \"open\", \"" +
            dir.file(name) +
            "\"]\n"
            "[\"mouse\", \"up\", 2, 0, 4000, 3000]\n"
            "[\"get\", \"Picture\"]\n";
    script += "[\"answer\", \"open\", \"" + dir.file("broken.bmp") +
              "\"]\n[\"syscommand\", 1106]\n[\"get\", \"Picture\"]\n";
    auto out = RunHost(script);
    const std::string all = Dump(out);
    // The broken file, from the pop-up menu and from the window menu: its error in a critical
    // box each time, and the last good picture stays.
    const auto texts = MessageTexts(out);
    ASSERT_EQ(texts.size(), 2u) << all;
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_NE(texts[0].find("picture"), std::string::npos) << texts[0];
    const auto r = Results(out);
    ASSERT_GE(r.size(), 6u) << all;
    std::vector<std::string> handles;
    for (size_t i = r.size() - 6; i < r.size(); ++i) handles.push_back(r[i]->dump());
    for (size_t i = 1; i < 4; ++i) EXPECT_NE(handles[i], handles[i - 1]) << all;
    EXPECT_EQ(handles[4], handles[3]) << all;
    EXPECT_EQ(handles[5], handles[3]) << all;
}
