// The demo's map page in-process: its track store made and seeded on the first start and kept
// afterwards, the stored tracks listed and played with pause, resume and stop, and the chart's
// system-menu entries as the Window menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "StoreFiles.h"
#include "UnwritableFolder.h"
#include "apps/ctldemo/DemoWindow.h"
#include "apps/ctldemo/MapPage.h"
#include "apps/ctldemo/TrackStoreSetup.h"
#include "platform/com/UserControl.h"
#include "platform/embed/ControlWidget.h"
#include "platform/forms/Input.h"
#include "platform/forms/PopupMenu.h"
#include "platform/sys/Prompts.h"
#include "trackio/Commands.h"

namespace fs = std::filesystem;
using demo::MapPage;
using demo::PrepareTrackStore;

namespace {
constexpr int kTwipsPerPixel = 15;

std::vector<std::string> Names(const demo::TrackStoreState& s) {
    std::vector<std::string> names;
    for (const demo::StoredTrack& t : demo::ListStoredTracks(s))
        names.push_back(t.name.toStdString());
    return names;
}

std::vector<std::string> ListedNames(MapPage& page) {
    std::vector<std::string> names;
    for (int i = 0; i < page.trackList().count(); ++i)
        names.push_back(page.trackList().item(i)->data(Qt::UserRole).toString().toStdString());
    return names;
}

QString Folder(const TempFolder& dir) {
    return QString::fromStdString(dir.path).chopped(1);
}

class DemoMapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
        menus = std::make_shared<ctl::ScriptedMenuPresenter>();
        ctl::SetMenuPresenter(menus);
    }
    void TearDown() override {
        ctl::SetMenuPresenter(nullptr);
        ctl::SetPrompter(nullptr);
    }
    bool Prompted(const std::string& kind, const std::string& part) const {
        for (const ctl::PromptRecord& r : prompter->records())
            if (r.kind == kind && r.text.find(part) != std::string::npos) return true;
        return false;
    }
    std::shared_ptr<ctl::ScriptedPrompter> prompter;
    std::shared_ptr<ctl::ScriptedMenuPresenter> menus;
};

// The Window menu's entries (separators as "-"), and the chart's entries in the same form.
std::vector<std::string> MenuTexts(QMenu& menu) {
    std::vector<std::string> texts;
    for (QAction* a : menu.actions())
        texts.push_back(a->isSeparator() ? "-"
                                         : a->text().replace("&&", "&").toStdString() +
                                               (a->isEnabled() ? "" : " (off)") +
                                               (a->isChecked() ? " (checked)" : ""));
    return texts;
}
std::vector<std::string> EntryTexts(ctl::ControlWidget& chart) {
    std::vector<std::string> texts;
    for (const ctl::SystemMenuEntry& e : chart.systemMenuEntries()) {
        if (e.separator) texts.push_back("-");
        texts.push_back(e.text + (e.enabled ? "" : " (off)") + (e.checked ? " (checked)" : ""));
    }
    return texts;
}
QAction* ActionFor(QMenu& menu, int32_t id) {
    for (QAction* a : menu.actions())
        if (!a->isSeparator() && a->data().toInt() == id) return a;
    return nullptr;
}
}  // namespace

TEST_F(DemoMapTest, FirstStartMakesAndSeedsTheStoreLaterStartsKeepWhatTheUserLeft) {
    TempFolder dir;
    demo::TrackStoreState first = PrepareTrackStore(Folder(dir), kTwipsPerPixel);
    ASSERT_TRUE(first.usable) << first.message.toStdString();
    EXPECT_TRUE(first.created);
    EXPECT_EQ(first.path.toStdString(), dir.file("mappa.mdb"));
    EXPECT_FALSE(fs::exists(dir.file("mappa.mdb.new")));
    std::vector<std::string> seeded;
    for (const QString& n : demo::SampleTrackNames()) seeded.push_back(n.toStdString());
    std::sort(seeded.begin(), seeded.end());
    EXPECT_EQ(Names(first), seeded);
    for (const demo::StoredTrack& t : demo::ListStoredTracks(first)) {
        EXPECT_EQ(t.branches, 1);
        EXPECT_GE(t.points, 30) << t.name.toStdString();
    }
    // The tracks lie on the picture (768 x 512 pixels).
    std::ostringstream csv;
    trackio::ExportCsv(first.path.toStdString(), seeded[0], csv);
    std::istringstream rows(csv.str());
    std::string line;
    std::getline(rows, line);
    while (std::getline(rows, line)) {
        const double x = std::stod(line.substr(line.rfind(',', line.rfind(',') - 1) + 1));
        const double y = std::stod(line.substr(line.rfind(',') + 1));
        EXPECT_GT(x, 0);
        EXPECT_LT(x, 768 * kTwipsPerPixel);
        EXPECT_GT(y, 0);
        EXPECT_LT(y, 512 * kTwipsPerPixel);
    }

    // The user deletes one sample track and adds one of their own: the next start keeps that.
    {
        auto c = OpenFile(first.path.toStdString(), false);
        c->Execute(ctl::db::Statement("DELETE FROM MAPPA WHERE tratto=?", {seeded[0]}));
    }
    AddBranch(first.path.toStdString(), "My walk", 1, 1, 5);
    demo::TrackStoreState second = PrepareTrackStore(Folder(dir), kTwipsPerPixel);
    EXPECT_TRUE(second.usable);
    EXPECT_FALSE(second.created);
    EXPECT_EQ(Names(second), (std::vector<std::string>{"My walk", seeded[1]}));

    // Even an emptied store is not seeded again.
    OpenFile(first.path.toStdString(), false)->Execute("DELETE FROM MAPPA");
    demo::TrackStoreState third = PrepareTrackStore(Folder(dir), kTwipsPerPixel);
    EXPECT_TRUE(third.usable);
    EXPECT_TRUE(Names(third).empty());
}

TEST_F(DemoMapTest, AStoreThatCannotBeMadeOrUsedIsReportedAndLeftAlone) {
    TempFolder dir;
    // No file can be made in the folder: a clear message, and nothing is left behind.
    const QString locked = QString::fromStdString(UnwritableFolder(dir.file("locked")));
    demo::TrackStoreState none = PrepareTrackStore(locked, kTwipsPerPixel);
    EXPECT_FALSE(none.usable);
    EXPECT_TRUE(none.message.startsWith(
        "Tracks cannot be kept: the track store cannot be made in " + locked))
        << none.message.toStdString();
    EXPECT_FALSE(fs::exists(locked.toStdString() + "/mappa.mdb"));
    EXPECT_TRUE(demo::ListStoredTracks(none).empty());

    // A file of that name that is no store is kept as it is.
    TempFolder other;
    { std::ofstream(other.file("Mappa.MDB")) << "my notes"; }
    demo::TrackStoreState bad = PrepareTrackStore(Folder(other), kTwipsPerPixel);
    EXPECT_FALSE(bad.usable);
    EXPECT_NE(bad.message.indexOf("cannot be used"), -1) << bad.message.toStdString();
    std::ifstream in(other.file("Mappa.MDB"));
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "my notes");

    // The remains of an interrupted first start give way to a whole store.
    TempFolder third;
    { std::ofstream(third.file("mappa.mdb.new")) << "half"; }
    demo::TrackStoreState made = PrepareTrackStore(Folder(third), kTwipsPerPixel);
    EXPECT_TRUE(made.usable) << made.message.toStdString();
    EXPECT_EQ(Names(made).size(), demo::SampleTrackNames().size());
    EXPECT_FALSE(fs::exists(third.file("mappa.mdb.new")));
}

TEST_F(DemoMapTest, TheWindowMenuMirrorsTheChartsEntriesAndTracksAreDrawnCommittedAndDeleted) {
    TempFolder dir;
    MapPage page(Folder(dir));
    page.resize(1000, 600);
    page.show();
    QApplication::processEvents();
    ASSERT_TRUE(page.store().usable) << page.store().message.toStdString();
    EXPECT_EQ(ListedNames(page).size(), 2u);
    ctl::ControlWidget& chart = page.chart();

    QMenu menu;
    page.fillWindowMenu(menu);
    EXPECT_EQ(MenuTexts(menu), EntryTexts(chart));
    EXPECT_EQ(MenuTexts(menu).front(), "About...");
    EXPECT_NE(ActionFor(menu, 1109), nullptr);
    EXPECT_FALSE(ActionFor(menu, 1109)->isEnabled()) << "nothing to commit yet";

    // A track by points from the Window menu, three clicks on the map, committed from the
    // chart's own context menu: the list follows the commit.
    prompter->queueMessageBox(ctl::vbYes);
    prompter->queueInput("Coast path");
    ActionFor(menu, 1108)->trigger();
    QApplication::processEvents();  // the entry runs once the menu is done
    ctl::Widget& surface = *chart.control().InputSurface();
    for (float x : {1500.f, 2400.f, 3300.f}) {
        ctl::SimulateMouse(surface, "down", 1, 0, x, 2000);
        ctl::SimulateMouse(surface, "up", 1, 0, x, 2000);
    }
    // The menu that stayed open follows in place.
    page.updateWindowMenu(menu);
    EXPECT_EQ(MenuTexts(menu), EntryTexts(chart));
    EXPECT_TRUE(ActionFor(menu, 1109)->isEnabled());
    EXPECT_FALSE(ActionFor(menu, 1107)->isEnabled());
    menus->queueChoice("Close and commit new Track");
    ctl::SimulateMouse(surface, "down", 2, 0, 4000, 3000);
    ctl::SimulateMouse(surface, "up", 2, 0, 4000, 3000);
    EXPECT_TRUE(Prompted("msgbox", "New Track named  ''Coast path''"));
    std::vector<std::string> listed = ListedNames(page);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0], "Coast path");
    EXPECT_NE(page.trackList().item(0)->text().indexOf("3 points"), -1);

    // "Always on top" from the Window menu: its check mark shows in the next menu.
    menu.clear();
    page.fillWindowMenu(menu);
    ActionFor(menu, 1114)->trigger();
    QApplication::processEvents();
    menu.clear();
    page.fillWindowMenu(menu);
    EXPECT_TRUE(ActionFor(menu, 1114)->isChecked());
    page.runWindowEntry(1114);

    // Deleted from the Window menu: the list follows again.
    prompter->queueChoose("Coast path");
    prompter->queueMessageBox(ctl::vbYes);
    page.runWindowEntry(1105);
    EXPECT_EQ(ListedNames(page).size(), 2u);
    for (const std::string& n : ListedNames(page)) EXPECT_NE(n, "Coast path");
}

TEST_F(DemoMapTest, AStoredTrackPlaysWithPauseResumeAndStop) {
    TempFolder dir;
    MapPage page(Folder(dir));
    page.resize(1000, 600);
    page.show();
    QApplication::processEvents();
    ASSERT_GT(page.trackList().count(), 0);
    page.trackList().setCurrentRow(0);
    const std::string name = page.trackList().item(0)->data(Qt::UserRole).toString().toStdString();

    // Played at once: the chart draws it and names it its current track.
    page.chart().set("Delay", 0.0f);
    EXPECT_TRUE(page.playSelected());
    EXPECT_EQ(page.chart().get("TrackName").toString(), name);
    EXPECT_FALSE(page.playing());

    // Played slowly: once the chart draws, paused and resumed through the chart's own state,
    // then stopped (a timer that runs whenever the drawing lets events run).
    page.chart().set("Delay", 30.0f);
    std::vector<std::string> seen;
    QTimer steps;
    steps.setInterval(0);
    QObject::connect(&steps, &QTimer::timeout, [&] {
        if (!page.chartPlaying()) return;
        if (seen.empty()) {
            page.togglePause();
            seen.push_back(page.paused() ? "paused" : "running");
        } else if (seen.size() == 1) {
            page.togglePause();
            seen.push_back(page.paused() ? "paused" : "running");
        } else {
            page.stopPlayback();
            steps.stop();
        }
    });
    steps.start();
    EXPECT_TRUE(page.playSelected()) << "a stop on request ends a playback normally";
    EXPECT_EQ(seen, (std::vector<std::string>{"paused", "running"}));
    EXPECT_FALSE(page.playing());

    // A track that went away meanwhile is reported and leaves the list.
    OpenFile(page.store().path.toStdString(), false)
        ->Execute(ctl::db::Statement("DELETE FROM MAPPA WHERE tratto=?", {name}));
    page.chart().set("Delay", 0.0f);
    EXPECT_FALSE(page.playSelected());
    EXPECT_NE(page.statusText().indexOf("doesn't exist"), -1) << page.statusText().toStdString();
    for (const std::string& n : ListedNames(page)) EXPECT_NE(n, name);

    // A store another program holds locked cannot be read for now: the list stays as it is.
    const std::vector<std::string> before = ListedNames(page);
    auto other = OpenFile(page.store().path.toStdString(), false);
    other->Execute("BEGIN EXCLUSIVE");
    page.refreshTracks();
    EXPECT_EQ(ListedNames(page), before);
    EXPECT_TRUE(page.statusText().startsWith("The track store cannot be read"))
        << page.statusText().toStdString();
    other->Execute("ROLLBACK");
}

TEST_F(DemoMapTest, WithoutAStoreThePageSaysWhyAndTheMapStillWorks) {
    TempFolder dir;
    const QString locked = QString::fromStdString(UnwritableFolder(dir.file("locked")));
    MapPage page(locked);
    page.show();
    QApplication::processEvents();
    EXPECT_FALSE(page.store().usable);
    EXPECT_EQ(page.trackList().count(), 0);
    EXPECT_FALSE(page.playSelected());
    // The chart says so itself, once, and turns its store commands off; the rest still works.
    EXPECT_TRUE(Prompted("msgbox", "mappa.mdb"));
    EXPECT_TRUE(page.statusText().isEmpty())
        << "the picture is shown: " << page.statusText().toStdString();
    QMenu menu;
    page.fillWindowMenu(menu);
    EXPECT_EQ(MenuTexts(menu), EntryTexts(page.chart()));
    for (int32_t id : {1101, 1102, 1105, 1107, 1108})
        EXPECT_FALSE(ActionFor(menu, id)->isEnabled()) << id;
    EXPECT_TRUE(ActionFor(menu, 1106)->isEnabled());
    page.runWindowEntry(1104);  // clear all tracks
    EXPECT_TRUE(page.statusText().isEmpty()) << page.statusText().toStdString();
    EXPECT_EQ(page.trackList().count(), 0);
}

TEST_F(DemoMapTest, TheWindowMenuOfTheDemoHoldsTheEntriesOfThePageOnShow) {
    TempFolder dir;
    demo::DemoWindow window(Folder(dir));
    QMenu* windowMenu = nullptr;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu() && a->text() == "&Window") windowMenu = a->menu();
    ASSERT_NE(windowMenu, nullptr);
    window.showPage(1);
    emit windowMenu->aboutToShow();
    auto* page = dynamic_cast<MapPage*>(window.pages()[1]);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(MenuTexts(*windowMenu), EntryTexts(page->chart()));
    emit windowMenu->aboutToHide();

    window.showPage(2);  // the combos: no entries of their own
    emit windowMenu->aboutToShow();
    ASSERT_EQ(windowMenu->actions().size(), 1);
    EXPECT_FALSE(windowMenu->actions()[0]->isEnabled());
    emit windowMenu->aboutToHide();
}

// The page opens with the stored tracks drawn on the map (not only in the gallery), and the
// track list shows whole names without a horizontal scroll bar.
TEST_F(DemoMapTest, TheStoredTracksAreOnTheMapWhenThePageOpens) {
    TempFolder dir;
    MapPage page(Folder(dir));
    page.resize(1000, 600);
    page.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const QImage img = page.chart().grab().toImage();
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 60 && c.blue() < 60;
        }
    EXPECT_GT(red, 500) << "the stored tracks are drawn";

    ASSERT_GT(page.trackList().count(), 0);
    EXPECT_EQ(page.trackList().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    const QFontMetrics fm(page.trackList().font());
    for (int i = 0; i < page.trackList().count(); ++i) {
        const QString name = page.trackList().item(i)->data(Qt::UserRole).toString();
        EXPECT_TRUE(page.trackList().item(i)->text().startsWith(name + "\n"));
        EXPECT_LE(fm.horizontalAdvance(name), page.trackList().viewport()->width())
            << name.toStdString() << " fits its list";
    }
}
