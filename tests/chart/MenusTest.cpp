// The chart's menus: the system-menu mirror of each mode, the pop-up with its default item,
// "Always on top" across forms, a second chart taking a form over, and the settings method.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport.h"
#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"
#include "platform/com/PropertyBag.h"
#include "platform/forms/DialogForm.h"
#include "platform/forms/OpenForms.h"
#include "platform/forms/PopupMenu.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

using karvex::ucKarvex;

namespace {
struct Added {
    int32_t id;
    std::string text;
    bool separator;
};

class MenusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
        presenter = std::make_shared<ctl::ScriptedMenuPresenter>();
        presenter->onPopup = [this](const std::vector<ctl::MenuEntry>& e, int chosen, int, int) {
            popups.push_back(e);
            chosenIndex = chosen;
        };
        ctl::SetMenuPresenter(presenter);
    }
    void TearDown() override {
        for (auto& c : charts) c->Terminate();
        charts.clear();
        ctl::SetMenuPresenter(nullptr);
        ctl::SetPrompter(nullptr);
        ctl::SetDefaultHandlingObserver(nullptr);
    }

    // A chart loaded at run time on a form, then shown.
    ucKarvex& Add(ctl::Form& form, int mapStyle, bool enableMenu = true) {
        sites.push_back(std::make_unique<ctl::BasicSite>());
        auto chart = std::make_unique<ucKarvex>(*sites.back());
        form.Place(*chart, 0, 0);
        ctl::PropertyBag bag;
        bag.WriteProperty("MapStyle", int32_t(mapStyle), int32_t(1));
        bag.WriteProperty("EnableMenu", enableMenu, true);
        chart->Initialize();
        chart->ReadProperties(bag);
        chart->Show();
        charts.push_back(std::move(chart));
        return *charts.back();
    }

    // The items the chart added after the form's default ones.
    static std::vector<Added> AddedItems(const ctl::Form& form) {
        std::vector<Added> out;
        for (const auto& i : ctl::SystemMenuItems(form.hWnd()))
            if (i.id >= 1100 && i.id <= 1114) out.push_back({i.id, i.text, i.separator});
        return out;
    }
    static const ctl::SysMenuItem* Item(const ctl::Form& form, int32_t id) {
        static ctl::SysMenuItem found;
        for (const auto& i : ctl::SystemMenuItems(form.hWnd()))
            if (i.id == id) return &(found = i);
        return nullptr;
    }
    void RightClick(ucKarvex& chart) { chart.pic_main->onMouseUp(ctl::vbRightButton, 0, 300, 400); }

    std::shared_ptr<ctl::ScriptedPrompter> prompter;
    std::shared_ptr<ctl::ScriptedMenuPresenter> presenter;
    std::vector<std::vector<ctl::MenuEntry>> popups;
    int chosenIndex = -1;
    std::vector<std::unique_ptr<ctl::BasicSite>> sites;
    std::vector<std::unique_ptr<ucKarvex>> charts;
};
}  // namespace

TEST_F(MenusTest, MapModeMirrorHasTheDesignedItemsInOrder) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0);
    EXPECT_EQ(chart.ParentWindow(), form.hWnd());
    const std::vector<Added> want = {
        {1100, "About...", true},
        {1101, "View available Tracks", true},
        {1102, "Execute Track drawing...", false},
        {1103, "Cancel drawing in progress", false},
        {1104, "Clear all tracks", true},
        {1105, "Delete Track...", false},
        {1106, "Set Picture...", false},
        {1107, "Create Track by step", true},
        {1108, "Create Track by points", false},
        {1109, "Close and commit new Track", false},
        {1114, "Always on top", true},
        {1111, "Switch to Coordinate System mode", true},
    };
    const auto got = AddedItems(form);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].id, want[i].id) << i;
        EXPECT_EQ(got[i].text, want[i].text) << i;
        EXPECT_EQ(got[i].separator, want[i].separator) << i;
    }
    // Nothing plays yet and the folder holds no track store: cancel and commit are off, and so
    // are the commands that need the store; the rest stay on.
    EXPECT_FALSE(Item(form, 1103)->enabled());
    EXPECT_FALSE(Item(form, 1109)->enabled());
    EXPECT_FALSE(Item(form, 1101)->enabled());
    EXPECT_TRUE(Item(form, 1106)->enabled());
    EXPECT_TRUE(Item(form, 1111)->enabled());
}

TEST_F(MenusTest, RightClickPopsUpTheModesMenuWithItsDefaultItem) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0);
    std::vector<std::string> events;
    sites.back()->onEvent = [&](const ctl::EventInfo& e, ctl::Args&) { events.push_back(e.name); };
    RightClick(chart);
    ASSERT_EQ(popups.size(), 1u);
    const auto& menu = popups[0];
    ASSERT_EQ(menu.size(), 18u);
    EXPECT_EQ(menu[2].caption, "Draw Track");  // the captions were set again when shown
    EXPECT_TRUE(menu[2].isDefault);
    EXPECT_TRUE(menu[1].separator);
    EXPECT_FALSE(menu[4].enabled);                           // Cancel drawing in progress
    EXPECT_FALSE(menu[13].enabled);                          // Close and commit new Track
    EXPECT_EQ(events, std::vector<std::string>{"MouseUp"});  // raised after the menu

    ctl::Form scaleForm;
    ucKarvex& scale = Add(scaleForm, 1);
    RightClick(scale);
    ASSERT_EQ(popups.size(), 2u);
    ASSERT_EQ(popups[1].size(), 4u);
    EXPECT_EQ(popups[1][0].caption, "Coordinate System settings");
    for (const auto& e : popups[1]) EXPECT_FALSE(e.isDefault);
}

TEST_F(MenusTest, WithoutEnableMenuThereIsNoMenuAnywhere) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0, false);
    RightClick(chart);
    EXPECT_TRUE(popups.empty());
    EXPECT_TRUE(AddedItems(form).empty());
    chart.setEnableMenu(true);
    EXPECT_EQ(AddedItems(form).size(), 12u);
    chart.setEnableMenu(false);
    EXPECT_TRUE(AddedItems(form).empty());
}

TEST_F(MenusTest, ChoosingSwitchToCoordinateSystemRebuildsTheMirror) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0);
    presenter->queueChoice("Switch to Coordinate System mode");
    RightClick(chart);
    EXPECT_EQ(chart.MapStyle(), 1);
    const auto got = AddedItems(form);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].id, 1100);
    EXPECT_EQ(got[1].id, 1110);
    EXPECT_EQ(got[1].text, "Coordinate System settings");
    EXPECT_TRUE(got[1].separator);
    EXPECT_EQ(got[2].text, "Clear Chart");
    EXPECT_EQ(got[3].id, 1114);
}

TEST_F(MenusTest, AlwaysOnTopKeepsItsCheckMarkWhenTheMirrorIsRebuiltForTheOtherMode) {
    ctl::Form form;
    form.Show();
    ucKarvex& chart = Add(form, 0);
    ctl::SendMessage(form.hWnd(), ctl::WM_SYSCOMMAND, 1114, 0);
    ASSERT_TRUE(Item(form, 1114)->checked());
    presenter->queueChoice("Switch to Coordinate System mode");
    RightClick(chart);
    ASSERT_EQ(chart.MapStyle(), 1);
    EXPECT_TRUE(ctl::IsWindowTopmost(form.hWnd()));
    EXPECT_TRUE(Item(form, 1114)->checked()) << "the form is still on top";
    EXPECT_TRUE(chart.Menus().Item("mnuTopmost2")->Checked);
    // Choosing it then turns it off, as its check mark says it would.
    ctl::SendMessage(form.hWnd(), ctl::WM_SYSCOMMAND, 1114, 0);
    EXPECT_FALSE(chart.AlwaysOnTop());
    EXPECT_FALSE(ctl::IsWindowTopmost(form.hWnd()));
    EXPECT_FALSE(Item(form, 1114)->checked());
}

TEST_F(MenusTest, SystemCommandsReachTheChartAndThenTheDefaultHandling) {
    ctl::Form form;
    form.Show();
    Add(form, 1);
    std::vector<int32_t> defaulted;
    ctl::SetDefaultHandlingObserver([&](int32_t, uint32_t m, int32_t w, int32_t) {
        if (m == ctl::WM_SYSCOMMAND) defaulted.push_back(w);
        return 0;
    });
    ctl::SendMessage(form.hWnd(), ctl::WM_SYSCOMMAND, 1100, 0);  // About...
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].kind, "about");
    ctl::SendMessage(form.hWnd(), ctl::WM_SYSCOMMAND, 0xF123, 0);  // not the chart's
    EXPECT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(defaulted, (std::vector<int32_t>{1100, 0xF123}));
}

TEST_F(MenusTest, AlwaysOnTopChecksAndRaisesOnlyItsOwnForm) {
    ctl::Form formA, formB;
    formA.Show();
    formB.Show();
    ucKarvex& a = Add(formA, 1);
    Add(formB, 0);
    ctl::SendMessage(formA.hWnd(), ctl::WM_SYSCOMMAND, 1114, 0);
    EXPECT_TRUE(a.AlwaysOnTop());
    EXPECT_TRUE(Item(formA, 1114)->checked());
    EXPECT_FALSE(Item(formB, 1114)->checked());
    EXPECT_TRUE(ctl::IsWindowTopmost(formA.hWnd()));
    EXPECT_FALSE(ctl::IsWindowTopmost(formB.hWnd()));
    EXPECT_TRUE(a.Menus().Item("mnuTopmost2")->Checked);

    // A modal settings dialog turns "Always on top" off first (closed here as soon as shown).
    ctl::SetFormShownHook([](ctl::Widget& form) {
        if (auto* dlg = dynamic_cast<ctl::DialogForm*>(&form))
            ctl::RunLater(0, [dlg] { dlg->CloseCommand(); });
    });
    a.EditScaleSetting(1, "");
    ctl::SetFormShownHook(nullptr);
    EXPECT_FALSE(a.AlwaysOnTop());
    EXPECT_FALSE(Item(formA, 1114)->checked());
    EXPECT_FALSE(ctl::IsWindowTopmost(formA.hWnd()));
}

TEST_F(MenusTest, EditScaleSettingIsNotForMapMode) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0);
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart.EditScaleSetting(); }, &text), 1032);
    EXPECT_EQ(text, "Invalid method if 'MapStyle' = 0");
}

TEST_F(MenusTest, ASecondChartTakesTheFormOverAndKeepsItWhenTheFirstEnds) {
    ctl::Form form;
    form.Show();
    int hostCalls = 0;
    ctl::SetWindowProc(form.hWnd(), [&](int32_t h, uint32_t m, int32_t w, int32_t l) {
        ++hostCalls;
        return ctl::DefWindowProc(h, m, w, l);
    });
    ucKarvex& first = Add(form, 0);
    ucKarvex& second = Add(form, 1);
    EXPECT_EQ(AddedItems(form).size(), 4u);  // the second's coordinate-system items
    EXPECT_EQ(karvex::Library().Registry->Count(), 1);

    // Other messages still reach the form's own handler, once.
    ctl::SendMessage(form.hWnd(), 0x400, 0, 0);
    EXPECT_EQ(hostCalls, 1);

    first.Terminate();
    const size_t shown = prompter->records().size();
    ctl::SendMessage(form.hWnd(), ctl::WM_SYSCOMMAND, 1100, 0);
    EXPECT_EQ(prompter->records().size(), shown + 1);  // the second still answers its entries
    EXPECT_EQ(AddedItems(form).size(), 4u);

    second.Terminate();
    EXPECT_TRUE(AddedItems(form).empty());
    EXPECT_EQ(karvex::Library().Registry, nullptr);
    ctl::SendMessage(form.hWnd(), 0x400, 0, 0);
    EXPECT_EQ(hostCalls, 2);  // the form's own handler is back
}

TEST_F(MenusTest, RunningPlaybackCaptionsAndEnabling) {
    ctl::Form form;
    ucKarvex& chart = Add(form, 0);
    karvex::ChartMenus& menus = chart.Menus();
    menus.DisableMapMenu();
    for (const char* name :
         {"mnuExec", "mnuView", "mnuCancel", "mnuRemove", "mnuLineDraw", "mnuPointDraw"})
        EXPECT_FALSE(menus.Item(name)->Enabled) << name;
    EXPECT_TRUE(menus.Item("mnuPicture")->Enabled);
    EXPECT_FALSE(Item(form, 1102)->enabled());
    EXPECT_TRUE(Item(form, 1106)->enabled());
    menus.RefreshMapMenu();
    EXPECT_EQ(menus.Item("mnuExec")->Caption, "Execute Track drawing");
    EXPECT_EQ(Item(form, 1102)->text, "Execute Track drawing...");
    EXPECT_TRUE(menus.Item("mnuView")->Enabled);
    EXPECT_FALSE(menus.Item("mnuCancel")->Enabled);
}
