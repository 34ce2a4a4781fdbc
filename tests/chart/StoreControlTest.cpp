#include "ChartFixture.h"
#include "StoreFiles.h"
#include "chart/map/TrackStore.h"
#include "chart/map/frmList.h"

namespace {
// A map-mode chart loaded at run time from a folder that may hold the store.
class MapChartTest : public ChartTest {
  protected:
    TempFolder dir;
    karvex::ucKarvex& LoadMap() {
        site.folder = dir.path;
        ctl::PropertyBag bag;
        bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
        return Load(bag);
    }
    void TearDown() override {
        ChartTest::TearDown();
        karvex::UnloadTrackChooser();
    }
    std::vector<ctl::PromptRecord> Prompts(const std::string& kind) const {
        std::vector<ctl::PromptRecord> out;
        for (const auto& r : prompter->records())
            if (r.kind == kind) out.push_back(r);
        return out;
    }
    int Events(const std::string& name) const {
        return int(std::count(site.events.begin(), site.events.end(), name));
    }
};
}  // namespace

TEST_F(MapChartTest, AMissingStoreMakesTheMapUnusableAndSaysWhere) {
    LoadMap();
    EXPECT_TRUE(chart->DbUnusable());
    auto boxes = Prompts("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, ctl::MsgIcon::Critical);
    EXPECT_NE(boxes[0].text.find(dir.file("mappa.mdb")), std::string::npos) << boxes[0].text;
    EXPECT_FALSE(chart->DrawTrack("anything"));
    EXPECT_NE(chart->ControlError().find("not open"), std::string::npos) << chart->ControlError();
}

TEST_F(MapChartTest, TheStoreOpensOnlyInMapModeAtRunTime) {
    MakeStore(dir.file("Mappa.mdb"));
    LoadMap();
    EXPECT_FALSE(chart->DbUnusable());
    EXPECT_TRUE(chart->Store().IsOpen());
    EXPECT_TRUE(prompter->records().empty());

    site.folder = dir.path;
    ctl::PropertyBag scale;  // coordinate-system mode: no store
    Load(scale);
    EXPECT_FALSE(chart->Store().IsOpen());
    ctl::PropertyBag map;
    map.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(map, false);  // design time: no store either
    EXPECT_FALSE(chart->Store().IsOpen());
}

TEST_F(MapChartTest, DrawTrackReplaysEveryBranchOfAStoredTrack) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "Bob's", 1, 1, 4);
    AddBranch(dir.file("mappa.mdb"), "Bob's", 2, 5, 3);
    LoadMap();
    chart->setTrackColor(0x00FF00);
    chart->pic_main->setRecording(true);
    EXPECT_TRUE(chart->DrawTrack("  bob's "));
    EXPECT_EQ(chart->TrackName(), "bob's");
    EXPECT_EQ(Events("StartDrawing"), 2);
    EXPECT_EQ(Events("FinishDrawing"), 2);
    EXPECT_EQ(chart->TrackX().size(), 3u);  // the last branch loaded
    auto lines = Ops(ctl::DrawOp::Line);
    ASSERT_EQ(lines.size(), 3u + 2u);
    EXPECT_EQ(lines[0].color, 0x00FF00u);
    EXPECT_EQ(lines[2].x2, 30);
    EXPECT_EQ(lines[2].y2, 60);
}

TEST_F(MapChartTest, AMissingTrackFailsWithItsName) {
    MakeStore(dir.file("mappa.mdb"));
    LoadMap();
    EXPECT_FALSE(chart->DrawTrack("ghost"));
    EXPECT_EQ(chart->ControlError(), "Track name:  ''ghost''\r\rThis Track doesn't exist.");
    EXPECT_FALSE(chart->PlaybackRunning());
    EXPECT_EQ(Events("StartDrawing"), 0);
}

TEST_F(MapChartTest, TheChooserAsksForTheTrackWhenNoneIsGiven) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "b", 1, 1, 2);
    AddBranch(dir.file("mappa.mdb"), "a", 1, 1, 2);
    LoadMap();
    prompter->queueChoose(std::string("b"));
    EXPECT_TRUE(chart->DrawTrack(""));
    auto shown = Prompts("choose");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, "Choose the Track");
    EXPECT_EQ(shown[0].mode, "Exec");
    EXPECT_EQ(shown[0].items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(chart->TrackName(), "b");
    EXPECT_FALSE(karvex::TrackChooser()->IsOpen());
}

TEST_F(MapChartTest, TheChoosersResultFollowsItsModes) {
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "river", 1, 1, 2);
    AddBranch(dir.file("mappa.mdb"), "lake", 1, 1, 2);
    LoadMap();
    // OK with no row in choosing mode keeps the dialog open for the next answer.
    prompter->queueChoose(std::string(""));
    prompter->queueChoose(std::string("river"));
    EXPECT_EQ(chart->ChooseTrack("Delete Track"), "river");
    // Viewing mode keeps the earlier choice, whatever row is picked.
    prompter->queueChoose(std::string("lake"));
    EXPECT_EQ(chart->ChooseTrack("AVAILABLE TRACKS"), "river");
    EXPECT_EQ(Prompts("choose").back().mode, "View");
    // The window's close command empties it.
    prompter->queueChoose(std::nullopt);
    EXPECT_EQ(chart->ChooseTrack("Available Tracks"), "");
    // Unanswered: closed by its close command.
    EXPECT_EQ(chart->ChooseTrack("Choose the Track"), "");
    prompter->queueChoose(std::string("lake"));
    EXPECT_EQ(chart->ChooseTrack("Choose the Track"), "lake");
    // A double-click on a row in choosing mode takes it at once.
    auto chooser = karvex::TrackChooser();
    chooser->Load();
    chooser->lstTratto->AddItem("river");
    chooser->setTag("Exec");
    chooser->ShowModeless();
    chooser->lstTratto->setListIndex(0);
    chooser->lstTratto->onDblClick();
    EXPECT_FALSE(chooser->IsOpen());
    EXPECT_EQ(chooser->TrackName(), "river");
}

TEST_F(MapChartTest, AnEmptyStoreHasNoTrackToChoose) {
    MakeStore(dir.file("mappa.mdb"));
    LoadMap();
    EXPECT_EQ(chart->ChooseTrack("Choose the Track"), "");
    auto boxes = Prompts("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Track available.");
    EXPECT_EQ(boxes[0].icon, ctl::MsgIcon::Information);
    EXPECT_TRUE(Prompts("choose").empty());
}

TEST_F(MapChartTest, TheChooserHasItsLayout) {
    auto chooser = karvex::TrackChooser();
    EXPECT_EQ(chooser->form->Width(), ctl::Widget::ToPxX(2985) * ctl::Widget::TwipsX());
    EXPECT_EQ(chooser->lstTratto->Left(), 60);
    EXPECT_EQ(chooser->lstTratto->Top(), 30);
    EXPECT_EQ(chooser->btnOK->Caption(), "OK");
    EXPECT_EQ(chooser->btnOK->Top(), 5460);
    EXPECT_EQ(chooser->btnOK->Width(), 1185);
    EXPECT_EQ(chooser->lstTratto->Font()->Name, "Arial");
}

TEST_F(MapChartTest, EndingWithAnOpenTrackAsksWhetherToKeepIt) {
    MakeStore(dir.file("mappa.mdb"));
    for (int answer : {ctl::vbYes, ctl::vbNo}) {
        LoadMap();
        const std::string name = answer == ctl::vbYes ? "kept" : "dropped";
        chart->Store().StartNewBranch(name);
        chart->Store().StorePoint(1, 2);
        prompter->queueMessageBox(answer);
        chart->Terminate();
        chart.reset();
        auto box = Prompts("msgbox").back();
        EXPECT_EQ(
            box.text,
            "A new Track is still open and not saved.\r\rDo you want to save it before to exit ?");
        EXPECT_EQ(box.buttons, ctl::MsgButtons::YesNo);
    }
    karvex::TrackStore store;
    store.Open(dir.path);
    EXPECT_EQ(store.ListTrackNames(), (std::vector<std::string>{"kept"}));
}

TEST_F(MapChartTest, AStoreWithoutItsTableFailsEachCallWithTheEnginesText) {
    { OpenFile(dir.file("mappa.mdb")); }  // an SQLite file, but no MAPPA in it
    LoadMap();
    EXPECT_FALSE(chart->DbUnusable());
    EXPECT_FALSE(chart->DrawTrack("any"));
    EXPECT_EQ(chart->ControlError(), "no such table: MAPPA");
    EXPECT_EQ(chart->CountTracks(), 0);
    EXPECT_EQ(chart->ChooseTrack("Choose the Track"), "");
    EXPECT_TRUE(Prompts("choose").empty());
    EXPECT_EQ(chart->ControlError(), "no such table: mappa");  // the list names it in lower case
}

TEST_F(MapChartTest, AFileThatIsNoDatabaseIsReportedWithItsPath) {
    std::ofstream(dir.file("MAPPA.MDB")) << "a spreadsheet saved under the wrong name";
    LoadMap();
    EXPECT_TRUE(chart->DbUnusable());
    auto boxes = Prompts("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The file is not an SQLite database: " + dir.file("MAPPA.MDB"));
}

TEST_F(MapChartTest, AMappaConnChoosesTheServerAndTheControlWorksAsOnAFile) {
    TestStore server(StoreKind::Server);
    ASSERT_TRUE(server.Ready());
    server.Make();
    server.AddBranch("Bob's", 1, 1, 4);
    server.AddBranch("Bob's", 2, 5, 3);
    std::ofstream(dir.file("Mappa.conn")) << server.conninfo << "\n";
    MakeStore(dir.file("mappa.mdb"));  // a file beside it is not used
    LoadMap();
    EXPECT_FALSE(chart->DbUnusable());
    EXPECT_EQ(chart->Store().DbConnection()->Provider(), "postgresql");
    EXPECT_TRUE(chart->DrawTrack("BOB'S"));
    EXPECT_EQ(Events("StartDrawing"), 2);
    EXPECT_EQ(chart->TrackX().size(), 3u);
    EXPECT_FALSE(chart->DrawTrack("ghost"));
    EXPECT_EQ(chart->ControlError(), "Track name:  ''ghost''\r\rThis Track doesn't exist.");
}

TEST_F(MapChartTest, AServerThatCannotBeReachedMakesTheMapUnusableNamingTheServer) {
    std::ofstream(dir.file("mappa.conn"))
        << "postgresql://ann:Sesame123@/tracks?host=" << dir.path << "gone&port=5999\n";
    LoadMap();
    EXPECT_TRUE(chart->DbUnusable());
    auto boxes = Prompts("msgbox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, ctl::MsgIcon::Critical);
    EXPECT_NE(boxes[0].text.find("server " + dir.path + "gone:5999, database tracks, user ann"),
              std::string::npos)
        << boxes[0].text;
    EXPECT_EQ(boxes[0].text.find("Sesame123"), std::string::npos) << boxes[0].text;
    EXPECT_FALSE(chart->Menus().Item("mnuExec")->Enabled);
    // A connection string libpq cannot read: the file is named, its text (and password) not.
    std::ofstream(dir.file("mappa.conn")) << "postgresql://ann:Sesame123@/tracks?host=%zz\n";
    LoadMap();
    EXPECT_TRUE(chart->DbUnusable());
    EXPECT_EQ(Prompts("msgbox").back().text.find("Sesame123"), std::string::npos);
    EXPECT_NE(Prompts("msgbox").back().text.find(dir.file("mappa.conn")), std::string::npos)
        << Prompts("msgbox").back().text;
    EXPECT_EQ(chart->ControlError().find("Sesame123"), std::string::npos);
    // An empty connection file is a store that cannot be opened, not a fall back to the file.
    std::ofstream(dir.file("mappa.conn")) << "\n";
    MakeStore(dir.file("mappa.mdb"));
    LoadMap();
    EXPECT_TRUE(chart->DbUnusable());
    EXPECT_NE(Prompts("msgbox").back().text.find("is empty"), std::string::npos);
}
