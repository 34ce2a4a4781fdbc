// Drawing tracks with the mouse in map mode, through the surface's real input events.
#include <cmath>
#include <filesystem>
#include <limits>

#include "ChartFixture.h"
#include "PictureFiles.h"
#include "StoreFiles.h"
#include "chart/map/TrackStore.h"
#include "chart/map/frmList.h"
#include "platform/com/RaisedError.h"
#include "platform/forms/Input.h"
#include "platform/sys/EventLoop.h"

namespace {
class DrawingTest : public ChartTest {
  protected:
    TempFolder dir;
    karvex::ucKarvex& LoadMap(bool withStore = true) {
        if (withStore) MakeStore(dir.file("mappa.mdb"));
        site.folder = dir.path;
        ctl::PropertyBag bag;
        bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
        Load(bag);
        chart->pic_main->setRecording(true);
        prompter->clearRecords();
        return *chart;
    }
    void TearDown() override {
        ChartTest::TearDown();
        karvex::UnloadTrackChooser();
    }
    void Mouse(const std::string& kind, int button, float x, float y, int shift = 0) {
        ctl::SimulateMouse(*chart->pic_main, kind, button, shift, x, y);
    }
    // Starts a drawing from its menu command, answering Yes and the name.
    void Start(const char* command, const std::string& name) {
        prompter->queueMessageBox(ctl::vbYes);
        prompter->queueInput(name);
        chart->Menus().RunItem(command);
    }
    int Events(const std::string& name) const {
        return int(std::count(site.events.begin(), site.events.end(), name));
    }
    std::vector<double> StoredX(const std::string& name, int16_t branch) {
        std::vector<double> xs, ys;
        chart->Store().LoadBranch(name, branch, xs, ys, [] { return true; });
        return xs;
    }
    // Positions pass through whole pixels and back: equal within a small fraction of a twip.
    static void ExpectNear(const std::vector<double>& got, const std::vector<double>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], want[i], std::max(0.01, std::abs(want[i]) * 1e-6)) << i;
    }
    std::vector<ctl::DrawOp> Boxes() const { return Ops(ctl::DrawOp::Box); }
};
}  // namespace

TEST_F(DrawingTest, ATrackByPointsBecomesTheNextBranchAndIsCommittedWithItsMessage) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "river", 1, 1, 4);
    LoadMap(false);
    Start("mnuPointDraw", "  river ");
    EXPECT_TRUE(chart->Recorder().DrawByPoints());
    EXPECT_FALSE(chart->Menus().Item("mnuExec")->Enabled);
    EXPECT_TRUE(chart->Menus().Item("mnuCommit")->Enabled);
    for (float x : {1000.f, 2000.f, 3000.f}) {
        Mouse("down", ctl::vbLeftButton, x, 500);
        Mouse("up", ctl::vbLeftButton, x, 500);
    }
    auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].color, 0x0000FFu);
    EXPECT_NEAR(boxes[0].x1, 985, 0.01);
    EXPECT_NEAR(boxes[0].y2, 515, 0.01);
    EXPECT_EQ(Events("MouseUp"), 3);
    EXPECT_EQ(Events("MouseDown"), 3);
    EXPECT_TRUE(chart->NewTrackOpen());

    prompter->clearRecords();
    chart->Menus().RunItem("mnuCommit");
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text,
              "New Track named  ''river''  (of the  2° Branch) has been stored in DB.");
    EXPECT_EQ(prompter->records()[0].icon, ctl::MsgIcon::Information);
    EXPECT_EQ(chart->TrackName(), "river");
    EXPECT_FALSE(chart->Recorder().DrawByPoints());
    EXPECT_TRUE(chart->Menus().Item("mnuExec")->Enabled);
    EXPECT_FALSE(chart->Menus().Item("mnuCommit")->Enabled);
    ExpectNear(StoredX("river", 2), {1000, 2000, 3000});
    EXPECT_EQ(StoredX("river", 1).size(), 4u);  // the first branch untouched
}

TEST_F(DrawingTest, StepModeAdmitsEveryMoveButOneFarBothRightAndBelow) {
    LoadMap();
    Start("mnuLineDraw", "road");
    Mouse("down", ctl::vbLeftButton, 1000, 1000);
    Mouse("up", ctl::vbLeftButton, 1000, 1000);  // yellow square, first point
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].color, 0x00FFFFu);
    Mouse("down", ctl::vbLeftButton, 1000, 1000);
    Mouse("move", ctl::vbLeftButton, 1040, 1040);  // refused
    EXPECT_NEAR(chart->Recorder().LastStepX(), 1000, 0.01);
    Mouse("move", ctl::vbLeftButton, 1040, 1020);  // recorded
    EXPECT_NEAR(chart->Recorder().LastStepY(), 1020, 0.01);
    Mouse("move", ctl::vbLeftButton, 500, 3000);  // left: recorded
    Mouse("move", 0, 4000, 4000);                 // no button held: nothing
    Mouse("up", ctl::vbLeftButton, 500, 3000);    // the release stores the point again
    chart->Menus().RunItem("mnuCommit");
    ExpectNear(StoredX("road", 1), {1000, 1040, 500, 500});
    // Lines in the track colour join the recorded moves.
    int coloured = 0;
    for (const auto& op : Ops(ctl::DrawOp::Line))
        if (op.color == chart->TrackColor()) ++coloured;
    EXPECT_EQ(coloured, 2);
    EXPECT_EQ(Events("MouseMove"), 4);

    EXPECT_TRUE(karvex::TrackRecorder::StepAdmits(1000, 1000, 1030, 1030));  // not beyond
    EXPECT_FALSE(karvex::TrackRecorder::StepAdmits(1000, 1000, 1030.01f, 1030.01f));
    // The sums are single precision: 16777216 + 30 is 16777246 exactly, +1 past it is refused.
    EXPECT_TRUE(karvex::TrackRecorder::StepAdmits(16777216.f, 0, 16777246.f, 31));
}

TEST_F(DrawingTest, CancellingTheNameOrTheQuestionLeavesTheControlIdle) {
    LoadMap();
    prompter->queueMessageBox(ctl::vbNo);
    chart->Menus().RunItem("mnuLineDraw");
    EXPECT_EQ(prompter->records()[0].title, "Create Track by step");
    prompter->queueMessageBox(ctl::vbYes);
    prompter->queueInput("   ");
    chart->Menus().RunItem("mnuPointDraw");
    prompter->queueMessageBox(ctl::vbYes);
    prompter->queueInput(std::nullopt);
    chart->Menus().RunItem("mnuPointDraw");
    EXPECT_EQ(chart->Recorder().mode(), karvex::TrackRecorder::Mode::Idle);
    Mouse("up", ctl::vbLeftButton, 100, 100);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(chart->NewTrackOpen());
}

TEST_F(DrawingTest, StrayAndOutOfRangeInputNeverStoresWithoutADrawingNorCrashes) {
    LoadMap();
    Mouse("move", ctl::vbLeftButton, -5000, 1e9f);
    Mouse("up", ctl::vbLeftButton, -1, -1);
    Mouse("dblclick", ctl::vbLeftButton, 10, 10);  // no track stored: the chooser says so
    EXPECT_FALSE(chart->NewTrackOpen());
    Start("mnuLineDraw", "edge");
    Mouse("up", ctl::vbLeftButton, -300, -300);
    Mouse("move", ctl::vbLeftButton, 3e8f, -3e8f);
    Mouse("dblclick", ctl::vbLeftButton, 50, 50);  // a double-click mid-drawing plays nothing
    chart->Menus().RunItem("mnuCommit");
    ExpectNear(StoredX("edge", 1), {-300, 3e8});
}

TEST_F(DrawingTest, AnUnusableStoreDrawsNothingAndRaisesNoRelease) {
    LoadMap(false);
    ASSERT_TRUE(chart->DbUnusable());
    site.events.clear();
    Mouse("up", ctl::vbLeftButton, 100, 100);
    Mouse("move", 0, 100, 100);
    EXPECT_EQ(Events("MouseUp"), 0);
    EXPECT_EQ(Events("MouseMove"), 1);
    prompter->clearRecords();
    Mouse("dblclick", ctl::vbLeftButton, 10, 10);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text,
              dir.path + "Mappa.mdb\r\rThe database doesn't exist in the path.");
}

TEST_F(DrawingTest, TheExitQuestionDecidesAnOpenTrackAndANewDrawingAsksFirst) {
    LoadMap();
    Start("mnuPointDraw", "kept");
    Mouse("up", ctl::vbLeftButton, 100, 200);
    // A new drawing while one is open: No rolls it back.
    prompter->queueMessageBox(ctl::vbYes);
    prompter->queueMessageBox(ctl::vbNo);
    prompter->queueInput("second");
    chart->Menus().RunItem("mnuLineDraw");
    EXPECT_THROW(StoredX("kept", 1), ctl::RaisedError);  // rolled back: no such track
    Mouse("up", ctl::vbLeftButton, 300, 400);
    prompter->queueMessageBox(ctl::vbYes);
    chart->Terminate();
    EXPECT_EQ(
        prompter->records().back().text,
        "A new Track is still open and not saved.\r\rDo you want to save it before to exit ?");
    chart.reset();
    karvex::TrackStore store;
    store.Open(dir.path);
    EXPECT_EQ(store.ListTrackNames(), std::vector<std::string>{"second"});
}

TEST_F(DrawingTest, ATrackKeptAtExitWhileAnotherProgramReadsTheStoreIsStoredOrSaidNotToBe) {
    LoadMap();
    Start("mnuPointDraw", "kept");
    Mouse("up", ctl::vbLeftButton, 100, 200);
    // Another program in the middle of reading: the commit cannot finish while it reads.
    auto reader = OpenFile(dir.file("mappa.mdb"), false);
    reader->BeginTrans();
    reader->OpenRecordSet("SELECT count(*) FROM MAPPA");
    prompter->queueMessageBox(ctl::vbYes);    // keep it
    prompter->queueMessageBox(ctl::vbRetry);  // told it failed: try again
    prompter->onPrompt = [&](const ctl::PromptRecord& r, const ctl::MessageBoxRequest*) {
        if (r.icon == ctl::MsgIcon::Critical) reader->RollbackTrans();  // the reader is done
    };
    chart->Terminate();
    prompter->onPrompt = nullptr;
    const auto& records = prompter->records();
    ASSERT_GE(records.size(), 2u);
    EXPECT_NE(records.back().text.find("The new Track has not been stored."), std::string::npos);
    chart.reset();
    karvex::TrackStore store;
    store.Open(dir.path);
    EXPECT_EQ(store.ListTrackNames(), std::vector<std::string>{"kept"});
}

TEST_F(DrawingTest, AStoreWithoutTheRightTableSaysSoAtTheFirstPointAndStoresNothing) {
    // No table at all: the drawing starts (the failed query counts as no rows) and the first
    // point tells why it cannot be stored.
    MakeStore(dir.file("mappa.mdb"), "a INTEGER");
    {
        auto c = OpenFile(dir.file("mappa.mdb"), false);
        c->Execute("DROP TABLE MAPPA");
    }
    LoadMap(false);
    Start("mnuPointDraw", "E");
    EXPECT_NE(chart->ControlError().find("MAPPA"), std::string::npos) << chart->ControlError();
    EXPECT_TRUE(chart->Menus().Item("mnuCommit")->Enabled);
    Mouse("up", ctl::vbLeftButton, 300, 300);
    ASSERT_FALSE(prompter->records().empty());
    EXPECT_EQ(prompter->records().back().text, "The Mappa Table doesn't have the right fields.");
    EXPECT_EQ(Events("MouseUp"), 0);

    // The columns in another order: refused the same way, nothing written.
    TempFolder other;
    MakeStore(other.file("mappa.mdb"),
              "tratto TEXT, ordinale INTEGER, ramo INTEGER, X REAL, Y REAL");
    site.folder = other.path;
    chart.reset();
    ctl::PropertyBag bag;
    bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(bag);
    prompter->clearRecords();
    Start("mnuPointDraw", "T");
    Mouse("up", ctl::vbLeftButton, 300, 300);
    ASSERT_FALSE(prompter->records().empty());
    EXPECT_EQ(prompter->records().back().text, "The Mappa Table doesn't have the right fields.");
    auto c = OpenFile(other.file("mappa.mdb"), false);
    EXPECT_EQ(c->OpenRecordSet("SELECT * FROM MAPPA").RecordCount(), 0);
}

TEST_F(DrawingTest, APictureFromTheOpenDialogLiesUnderTheTracksAndABrokenOneChangesNothing) {
    LoadMap();
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("map.bmp"), "BMP"));
    picturefiles::WriteBytes(dir.file("broken.gif"), {'G', 'I', 'F', '8', '9', 'a', 1});
    prompter->queueOpen(std::vector<std::string>{dir.file("map.bmp")});
    chart->Menus().RunItem("mnuPicture");
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].title, "Choose image file");
    const ctl::PicturePtr laid = chart->pic_main->Picture();
    EXPECT_EQ(laid->widthPx(), 40);
    prompter->queueOpen(std::vector<std::string>{dir.file("broken.gif")});
    EXPECT_THROW(chart->Menus().RunItem("mnuPicture"), ctl::RaisedError);  // the caller hears
    prompter->queueOpen(std::nullopt);
    chart->Menus().RunItem("mnuPicture");
    EXPECT_EQ(chart->pic_main->Picture(), laid);

    prompter->clearRecords();
    prompter->queueMessageBox(ctl::vbNo);
    chart->Menus().RunItem("mnuClearPic");
    EXPECT_EQ(chart->pic_main->Picture(), laid);
    EXPECT_EQ(prompter->records()[0].text, "Do you want to clear the current picture ?");
    prompter->queueMessageBox(ctl::vbYes);
    chart->Menus().RunItem("mnuClearPic");
    EXPECT_TRUE(chart->pic_main->Picture()->isEmpty());
}

TEST_F(DrawingTest, ANewPictureDuringAPlaybackPlaysTheTrackAgainOverIt) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "t", 1, 1, 400);
    LoadMap(false);
    chart->setDelay(1);
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("map.bmp"), "BMP"));
    prompter->queueOpen(std::vector<std::string>{dir.file("map.bmp")});
    ctl::RunLater(30, [this] { chart->Menus().RunItem("mnuPicture"); });
    EXPECT_TRUE(chart->DrawTrack("t"));
    EXPECT_EQ(chart->pic_main->Picture()->widthPx(), 40);
    EXPECT_EQ(Events("StartDrawing"), 2);  // stopped, then played again from the start
    EXPECT_EQ(Events("FinishDrawing"), 1);
    EXPECT_FALSE(chart->PlaybackRunning());
}

TEST_F(DrawingTest, DoubleClicksPauseAndResumeAPlaybackAndEscCancelsIt) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "t", 1, 1, 400);
    LoadMap(false);
    chart->setDelay(1);
    bool pausedSeen = false;
    ctl::RunLater(20, [&] {
        Mouse("dblclick", ctl::vbLeftButton, 5, 5);
        pausedSeen = chart->PlaybackPaused();
        EXPECT_EQ(chart->Menus().Item("mnuExec")->Caption, "Resume drawing in progress");
        Mouse("dblclick", ctl::vbLeftButton, 5, 5);
        EXPECT_FALSE(chart->PlaybackPaused());
        prompter->queueMessageBox(ctl::vbYes);
        ctl::SimulateKey(*chart->pic_main, "press", 27, 0);
    });
    EXPECT_TRUE(chart->DrawTrack("t"));
    EXPECT_TRUE(pausedSeen);
    EXPECT_EQ(prompter->records().back().text,
              "Are you sure you want to cancel the current drawing ?");
    EXPECT_EQ(prompter->records().back().defaultButton, 2);
    EXPECT_EQ(Events("FinishDrawing"), 0);
    EXPECT_FALSE(chart->PlaybackRunning());
    // The cancel stopped the playback; the control is not ending: FlagExit is clear again
    // and the surface follows the control's size (and a new picture, with AutoSize).
    EXPECT_FALSE(chart->FlagExit());
    chart->ctl::UserControl::setSize(9000, 6000);
    EXPECT_EQ(chart->pic_main->Width(), 9000);
    EXPECT_EQ(chart->pic_main->Height(), 6000);
}

TEST_F(DrawingTest, AResizeDuringACancelledPlaybackIsCaughtUpAndAReleaseStoresOnePoint) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "t", 1, 1, 400);
    LoadMap(false);
    chart->ctl::UserControl::setSize(7200, 4800);
    chart->setDelay(1);
    ctl::RunLater(20, [&] {
        prompter->queueMessageBox(ctl::vbYes);
        ctl::SimulateKey(*chart->pic_main, "press", 27, 0);
        chart->ctl::UserControl::setSize(9000, 6000);  // while the playback stops
    });
    chart->DrawTrack("t");
    EXPECT_FALSE(chart->FlagExit());
    EXPECT_EQ(chart->pic_main->Width(), 9000);
    EXPECT_EQ(chart->pic_main->Height(), 6000);
    // A release that the surface passes on to the control is stored once.
    chart->pic_main->setWidth(7200);
    chart->pic_main->setHeight(4800);
    Start("mnuPointDraw", "once");
    Mouse("down", ctl::vbLeftButton, 7000, 4000);
    Mouse("up", ctl::vbLeftButton, 8000, 5000);  // in the strip the surface does not cover
    chart->Menus().RunItem("mnuCommit");
    EXPECT_EQ(StoredX("once", 1).size(), 1u);
}

TEST_F(DrawingTest, ACommitWhenNoPointWasStoredSaysSoAndNamesNoTrack) {
    // The track's last ordinal is the largest there is: no further point can be numbered.
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "full", 1, 2147483646, 2);
    LoadMap(false);
    chart->DrawTrack("before");  // no such track; it is the current name all the same
    ASSERT_EQ(chart->TrackName(), "before");
    Start("mnuPointDraw", "full");
    Mouse("up", ctl::vbLeftButton, 100, 100);
    EXPECT_EQ(prompter->records().back().text, "Overflow");
    chart->Menus().RunItem("mnuCommit");
    for (const auto& r : prompter->records())
        EXPECT_EQ(r.text.find("has been stored in DB"), std::string::npos) << r.text;
    EXPECT_EQ(prompter->records().back().text.rfind(
                  "No point of the new Track  ''full''  could be stored: the Track has not been "
                  "stored in DB.",
                  0),
              0u)
        << prompter->records().back().text;
    EXPECT_EQ(chart->TrackName(), "before");
    EXPECT_TRUE(chart->Menus().Item("mnuLineDraw")->Enabled) << "the mode was left";

    // A store that may only be read: the same.
    chart.reset();
    TempFolder ro;
    MakeStore(ro.file("mappa.mdb"));
    std::filesystem::permissions(ro.file("mappa.mdb"), std::filesystem::perms::owner_read,
                                 std::filesystem::perm_options::replace);
    site.folder = ro.path;
    ctl::PropertyBag bag;
    bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(bag);
    prompter->clearRecords();
    Start("mnuPointDraw", "lake");
    Mouse("up", ctl::vbLeftButton, 100, 100);
    Mouse("up", ctl::vbLeftButton, 200, 100);
    chart->Menus().RunItem("mnuCommit");
    EXPECT_EQ(prompter->records().back().text.rfind("No point of the new Track  ''lake''", 0), 0u)
        << prompter->records().back().text;
    EXPECT_EQ(chart->TrackName(), "");
    EXPECT_EQ(
        OpenFile(ro.file("mappa.mdb"), false)->OpenRecordSet("SELECT * FROM MAPPA").RecordCount(),
        0);
}

TEST_F(DrawingTest, APositionBeyondSinglePrecisionIsRefusedBeforeAnythingIsStored) {
    LoadMap();
    Start("mnuPointDraw", "far");
    const size_t boxes = Boxes().size();
    chart->pic_main->onMouseUp(ctl::vbLeftButton, 0, std::numeric_limits<float>::infinity(), 10);
    EXPECT_EQ(prompter->records().back().text, "Overflow");
    EXPECT_EQ(Boxes().size(), boxes) << "no mark for a point that is refused";
    chart->pic_main->onMouseUp(ctl::vbLeftButton, 0, 10, std::nanf(""));
    Mouse("up", ctl::vbLeftButton, 100, 200);
    chart->Menus().RunItem("mnuCommit");
    ExpectNear(StoredX("far", 1), {100});
}

TEST_F(DrawingTest, APlaybackDuringANewDrawingLeavesTheCreateCommandsOffUntilTheCommit) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "t", 1, 1, 20);
    LoadMap(false);
    Start("mnuPointDraw", "lake");
    Mouse("up", ctl::vbLeftButton, 300, 300);
    EXPECT_TRUE(chart->DrawTrack("t"));  // a double-click plays the only stored track
    for (const char* name : {"mnuLineDraw", "mnuPointDraw"})
        EXPECT_FALSE(chart->Menus().Item(name)->Enabled) << name;
    EXPECT_TRUE(chart->Menus().Item("mnuCommit")->Enabled);
    chart->Menus().RunItem("mnuCommit");
    for (const char* name : {"mnuLineDraw", "mnuPointDraw"})
        EXPECT_TRUE(chart->Menus().Item(name)->Enabled) << name;
}
