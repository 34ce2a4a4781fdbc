// Controls inside a Qt application's own widgets: created by name, sized by the layout,
// driven by property, method and event names, saved and loaded, switched between design
// and run mode, and kept alive while a call of theirs is running.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "platform/com/UserControl.h"
#include "platform/embed/ControlWidget.h"
#include "platform/forms/Widget.h"
#include "platform/sys/Prompts.h"

using namespace ctl;

namespace {
std::string TempFile(const std::string& name) {
    return ::testing::TempDir() + name;
}

// A small chart ready to draw three points at once.
void PrepareChart(ControlWidget& chart) {
    chart.set("MinX", 0);
    chart.set("MaxX", 10);
    chart.set("MinY", 0);
    chart.set("MaxY", 10);
    chart.set("Delay", 0.0f);
    ASSERT_TRUE(chart.call("SetScaleUnit").toBool());
    for (int i : {1, 5, 9}) chart.call("Point_Add", {i, i});
}
}  // namespace

TEST(ControlWidget, CreatesByNameAndFollowsTheLayoutSize) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* chart = new ControlWidget("karvex.uckarvex", &window);
    layout->addWidget(chart);
    EXPECT_EQ(chart->className(), "Karvex.ucKarvex");
    EXPECT_FALSE(chart->designMode());
    window.resize(300, 200);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(chart->control().Width(), 300 * Widget::TwipsX());
    EXPECT_EQ(chart->control().Height(), 200 * Widget::TwipsY());
    EXPECT_EQ(chart->get("Width").toInt32(), 300 * Widget::TwipsX());

    std::string text;
    EXPECT_EQ(ErrorOf([] { ControlWidget w("Nothing.Here"); }, &text), 429);
    auto names = ControlWidget::availableClasses();
    EXPECT_NE(std::find(names.begin(), names.end(), "Quorlin.ucvQuorlin"), names.end());
}

TEST(ControlWidget, PropertiesMethodsAndErrorsByName) {
    ControlWidget combo("Quorlin.ucvQuorlin", nullptr, {true, {}});
    combo.set("Style", 1);  // a design-time property
    combo.setDesignMode(false);
    EXPECT_EQ(ErrorOf([&] { combo.set("Style", 2); }), 7);
    combo.call("AddItem", {"IT", "Italy", 39});
    combo.call("AddItem", {"FR", "France"});  // optional item data left out
    EXPECT_EQ(combo.get("ListCount").toInt32(), 2);
    EXPECT_EQ(combo.get("ItemData", {1}).toInt32(), 0);
    combo.set("ItemData", 33, {1});  // an indexed property put
    EXPECT_EQ(combo.get("ItemData", {1}).toInt32(), 33);
    EXPECT_EQ(combo.call("ListCol", {int16_t(2), 0}).toString(), "Italy");
    EXPECT_EQ(ErrorOf([&] { combo.call("ListCol", {int16_t(1), 7}); }), 6);
    EXPECT_EQ(ErrorOf([&] { combo.get("NoSuchProperty"); }), 438);
    EXPECT_EQ(ErrorOf([&] { combo.set("ListCount", "many"); }), 13);

    // An object property is put by reference: a real picture reaches the chart.
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::red);
    const std::string png = TempFile("embed_picture.png");
    ASSERT_TRUE(img.save(QString::fromStdString(png)));
    ControlWidget chart("Karvex.ucKarvex");
    chart.set("Picture", PictureValue(png));
    auto pic = std::dynamic_pointer_cast<Picture>(chart.get("Picture").toObject());
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->widthPx(), 40);
    EXPECT_EQ(ErrorOf([] { PictureValue("/no/such/picture.png"); }), 53);
}

TEST(ControlWidget, EventsByNameWithByReferenceArguments) {
    ControlWidget chart("Karvex.ucKarvex");
    EXPECT_EQ(ErrorOf([&] { chart.on("NoSuchEvent", [](Args&) {}); }), 438);
    PrepareChart(chart);
    std::vector<std::string> seen;
    int finished = 0;
    chart.onAnyEvent = [&](const std::string& e, Args&) { seen.push_back(e); };
    chart.on("finishdrawing", [&](Args&) { ++finished; });
    ASSERT_TRUE(chart.call("Draw").toBool());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"StartDrawing", "FinishDrawing"}));

    // Cancel set by a handler goes back to the chart, which then does not draw.
    chart.on("StartDrawing", [](Args& a) { a[0] = true; });
    chart.call("Draw");
    EXPECT_EQ(finished, 1);
    chart.off("StartDrawing");
    chart.call("Draw");
    EXPECT_EQ(finished, 2);

    // A handler that throws does not unwind through the chart.
    chart.on("FinishDrawing", [](Args&) { Raise(5, "handler trouble"); });
    EXPECT_TRUE(chart.call("Draw").toBool());
    EXPECT_EQ(finished, 3);
}

TEST(ControlWidget, SavesLoadsAndSwitchesModesKeepingProperties) {
    const std::string file = TempFile("embed_form.json");
    {
        ControlWidget combo("Quorlin.ucvQuorlin", nullptr, {true, {}});
        EXPECT_TRUE(combo.designMode());
        combo.set("WidthCol1", 1500);
        combo.set("Style", 2);
        combo.save(file);
        combo.setDesignMode(false);
        EXPECT_FALSE(combo.designMode());
        EXPECT_EQ(combo.get("WidthCol1").toInt32(), 1500);
        EXPECT_EQ(combo.get("Style").toInt32(), 2);
        combo.set("WidthCol1", 900);
        combo.load(file);
        EXPECT_EQ(combo.get("WidthCol1").toInt32(), 1500);
    }
    std::unique_ptr<ControlWidget> back(ControlWidget::fromFile(file));
    EXPECT_EQ(back->className(), "Quorlin.ucvQuorlin");
    EXPECT_EQ(back->get("Style").toInt32(), 2);

    ControlWidget chart("Karvex.ucKarvex");
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart.load(file); }, &text), 13);
    EXPECT_NE(text.find("Quorlin.ucvQuorlin"), std::string::npos);
    EXPECT_NE(ErrorOf([] { ControlWidget::fromFile("/no/such/form.json"); }), 0);
    EXPECT_NE(ErrorOf([&] { chart.save("/no/such/folder/form.json"); }), 0);

    std::vector<std::string> changed;
    chart.onPropertyChanged = [&](const std::string& k) { changed.push_back(k); };
    chart.set("Title", "Sales");
    EXPECT_EQ(changed, std::vector<std::string>{"Title"});
}

TEST(ControlWidget, DeletedFromItsOwnEventTheControlLivesUntilTheCallReturns) {
    QPointer<ControlWidget> chart = new ControlWidget("Karvex.ucKarvex");
    PrepareChart(*chart);
    chart->set("Delay", 1.0f);
    bool modeSwitchRefused = false;
    chart->on("StartDrawing", [&](Args&) {
        // Another start while the drawing runs is refused, not half done.
        modeSwitchRefused = ErrorOf([&] { chart->setDesignMode(true); }) == 5;
    });
    chart->on("FinishDrawing", [&](Args&) { delete chart.data(); });
    ControlWidget* raw = chart.data();
    raw->call("Draw");  // must return normally although its widget is gone
    EXPECT_TRUE(chart.isNull());
    EXPECT_TRUE(modeSwitchRefused);
}

TEST(ControlWidget, OffersTheEntriesAControlAddsToItsFormsSystemMenuAndRunsThem) {
    auto prompter = std::make_shared<ScriptedPrompter>();
    SetPrompter(prompter);
    struct Restore {
        ~Restore() { SetPrompter(nullptr); }
    } restore;

    // The chart mirrors its coordinate-system commands; the form's own entries stay out.
    ControlWidget chart("Karvex.ucKarvex");
    std::vector<SystemMenuEntry> entries = chart.systemMenuEntries();
    std::vector<int32_t> ids;
    for (const SystemMenuEntry& e : entries) ids.push_back(e.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{1100, 1110, 1104, 1114}));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "About...");
    EXPECT_FALSE(entries[0].separator) << "nothing above the first entry to part it from";
    EXPECT_TRUE(entries[1].separator);
    EXPECT_FALSE(entries[2].separator);
    EXPECT_FALSE(entries[3].checked);

    // Running an entry goes through the form's message handlers to the chart.
    EXPECT_TRUE(chart.runSystemMenuEntry(1114));
    EXPECT_TRUE(chart.systemMenuEntries()[3].checked);
    EXPECT_TRUE(chart.runSystemMenuEntry(1100));
    ASSERT_FALSE(prompter->records().empty());
    EXPECT_EQ(prompter->records().back().kind, "about");

    // The form's own commands (close) and unknown identifiers are refused; the chart lives on.
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart.runSystemMenuEntry(0xF060); }, &text), 5);
    EXPECT_NE(text.find("61536"), std::string::npos) << text;
    EXPECT_EQ(ErrorOf([&] { chart.runSystemMenuEntry(1101); }), 5) << "a map-mode entry";
    EXPECT_TRUE(chart.get("EnableMenu").toBool());
    chart.set("EnableMenu", false);
    EXPECT_TRUE(chart.systemMenuEntries().empty());
    EXPECT_EQ(ErrorOf([&] { chart.runSystemMenuEntry(1100); }), 5);

    // A disabled entry runs nothing: a map chart without a track store has its store commands
    // off.
    const std::string form = TempFile("embed_map_form.json");
    {
        std::ofstream out(form);
        out << R"({"class": "Karvex.ucKarvex", "properties": {"MapStyle": 0}})";
    }
    ControlOptions options;
    options.dataFolder = ::testing::TempDir() + "embed_no_store";
    std::filesystem::create_directories(options.dataFolder);
    std::unique_ptr<ControlWidget> map(ControlWidget::fromFile(form, nullptr, options));
    const size_t prompts = prompter->records().size();
    bool viewListed = false;
    for (const SystemMenuEntry& e : map->systemMenuEntries())
        if (e.id == 1101) viewListed = !e.enabled;
    EXPECT_TRUE(viewListed) << "View available Tracks is listed and disabled";
    EXPECT_FALSE(map->runSystemMenuEntry(1101));
    EXPECT_EQ(prompter->records().size(), prompts);

    // A control that adds no entries offers none.
    ControlWidget combo("Quorlin.ucvQuorlin");
    EXPECT_TRUE(combo.systemMenuEntries().empty());
}
