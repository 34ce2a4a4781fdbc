// The window system: chained message handlers, default handling of system commands, the
// user-data slot, the topmost band, the system menu and shell opens.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QTextBrowser>
#include <QUrl>
#include <fstream>
#include <vector>

#include "platform/com/UserControl.h"
#include "platform/forms/PopupMenu.h"
#include "platform/win/Shell.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

using namespace ctl;

namespace {
struct Message {
    int32_t hwnd;
    uint32_t msg;
    int32_t wParam;
};

class WindowSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<Form>();
        form->Move(300, 450, 3000, 2000);
        form->Show();
        SetDefaultHandlingObserver([this](int32_t h, uint32_t m, int32_t w, int32_t) {
            defaulted.push_back({h, m, w});
            return 0;
        });
    }
    void TearDown() override {
        SetDefaultHandlingObserver(nullptr);
        SetMenuPresenter(nullptr);
        SetShellHandler(nullptr);
    }
    std::unique_ptr<Form> form;
    std::vector<Message> defaulted;
};
}  // namespace

TEST_F(WindowSystemTest, HandlersChainAndUnhookRestoresThePrevious) {
    const int32_t hwnd = form->hWnd();
    std::vector<Message> hostSaw, hookSaw;
    WindowProc host = [&](int32_t h, uint32_t m, int32_t w, int32_t l) {
        hostSaw.push_back({h, m, w});
        return DefWindowProc(h, m, w, l);
    };
    WindowProc first = SetWindowProc(hwnd, host);
    ASSERT_TRUE(first);  // the form's own handler
    WindowProc previous = SetWindowProc(hwnd, [&](int32_t h, uint32_t m, int32_t w, int32_t l) {
        hookSaw.push_back({h, m, w});
        return CallWindowProc(previous, h, m, w, l);
    });
    ASSERT_TRUE(previous);

    EXPECT_EQ(SendMessage(hwnd, 0x400, 7, 0), 0);
    ASSERT_EQ(hookSaw.size(), 1u);
    ASSERT_EQ(hostSaw.size(), 1u);
    EXPECT_EQ(hostSaw[0].wParam, 7);

    SetWindowProc(hwnd, previous);  // unhook
    SendMessage(hwnd, 0x401, 8, 0);
    EXPECT_EQ(hookSaw.size(), 1u);
    EXPECT_EQ(hostSaw.size(), 2u);
    EXPECT_EQ(defaulted.size(), 2u);
}

TEST_F(WindowSystemTest, UnknownWindowsInstallNothingAndAnswerZero) {
    EXPECT_FALSE(SetWindowProc(0, DefWindowProc));
    EXPECT_FALSE(SetWindowProc(0x7FFFFFF0, DefWindowProc));
    EXPECT_EQ(SendMessage(0x7FFFFFF0, WM_SYSCOMMAND, SC_CLOSE, 0), 0);
    EXPECT_EQ(SetWindowUserData(0x7FFFFFF0, this), nullptr);
    EXPECT_TRUE(SystemMenuItems(0x7FFFFFF0).empty());
    EXPECT_FALSE(IsWindowTopmost(0x7FFFFFF0));
}

TEST_F(WindowSystemTest, DefaultHandlingRunsTheFormsOwnSystemCommands) {
    const int32_t hwnd = form->hWnd();
    SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(form->qwidget()->isMinimized());
    SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(form->qwidget()->isMinimized());
    SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(WindowSystemTest, UserDataIsPerWindowAndGoesWithIt) {
    Form other;
    int a = 0, b = 0;
    EXPECT_EQ(SetWindowUserData(form->hWnd(), &a), nullptr);
    SetWindowUserData(other.hWnd(), &b);
    EXPECT_EQ(GetWindowUserData(form->hWnd()), &a);
    EXPECT_EQ(SetWindowUserData(form->hWnd(), nullptr), &a);
    EXPECT_EQ(GetWindowUserData(other.hWnd()), &b);
}

TEST_F(WindowSystemTest, TopmostKeepsPositionSizeAndVisibility) {
    const int32_t hwnd = form->hWnd();
    const int left = form->Left(), top = form->Top(), w = form->Width(), h = form->Height();
    SetWindowTopmost(hwnd, true);
    EXPECT_TRUE(IsWindowTopmost(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(form->Left(), left);
    EXPECT_EQ(form->Top(), top);
    EXPECT_EQ(form->Width(), w);
    EXPECT_EQ(form->Height(), h);
    SetWindowTopmost(hwnd, false);
    EXPECT_FALSE(IsWindowTopmost(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(form->Width(), w);
}

TEST_F(WindowSystemTest, ParentAndTopLevelOfAChildWindow) {
    BasicSite site;
    UserControl child(site);
    form->Place(child, 0, 0);
    EXPECT_EQ(GetParentWindow(child.hWnd()), form->hWnd());
    EXPECT_EQ(GetTopLevelWindow(child.hWnd()), form->hWnd());
    EXPECT_EQ(GetParentWindow(form->hWnd()), 0);
    EXPECT_EQ(GetTopLevelWindow(form->hWnd()), form->hWnd());
}

TEST_F(WindowSystemTest, SystemMenuItemsByIdentifier) {
    const int32_t hwnd = form->hWnd();
    const size_t defaults = SystemMenuItems(hwnd).size();
    ASSERT_GT(defaults, 0u);
    InsertSystemMenuItem(hwnd, 2000, {2000, "First", 0, true});
    InsertSystemMenuItem(hwnd, 2001, {2001, "Second", 0, false});
    InsertSystemMenuItem(hwnd, 2001, {2002, "Before second", 0, false});  // before an existing id
    auto items = SystemMenuItems(hwnd);
    ASSERT_EQ(items.size(), defaults + 3);
    EXPECT_EQ(items[defaults].text, "First");
    EXPECT_TRUE(items[defaults].separator);
    EXPECT_EQ(items[defaults + 1].id, 2002);
    EXPECT_EQ(items[defaults + 2].id, 2001);

    EXPECT_TRUE(SetSystemMenuItemText(hwnd, 2001, "Renamed"));
    EXPECT_TRUE(SetSystemMenuItemState(hwnd, 2001, MFS_CHECKED | MFS_GRAYED));
    EXPECT_EQ(SystemMenuItemState(hwnd, 2001), int32_t(MFS_CHECKED | MFS_GRAYED));
    items = SystemMenuItems(hwnd);
    EXPECT_EQ(items.back().text, "Renamed");
    EXPECT_TRUE(items.back().checked());
    EXPECT_FALSE(items.back().enabled());
    EXPECT_EQ(SystemMenuItemState(hwnd, 4242), -1);
    EXPECT_FALSE(SetSystemMenuItemText(hwnd, 4242, "x"));

    RevertSystemMenu(hwnd);
    EXPECT_EQ(SystemMenuItems(hwnd).size(), defaults);
}

TEST_F(WindowSystemTest, ShownSystemMenuSendsTheChosenCommandThroughTheHandlers) {
    const int32_t hwnd = form->hWnd();
    InsertSystemMenuItem(hwnd, 2100, {2100, "Extra", 0, true});
    InsertSystemMenuItem(hwnd, 2101, {2101, "Off", MFS_GRAYED | MFS_DISABLED, false});
    auto presenter = std::make_shared<ScriptedMenuPresenter>();
    std::vector<MenuEntry> shown;
    presenter->onPopup = [&](const std::vector<MenuEntry>& e, int, int, int) { shown = e; };
    SetMenuPresenter(presenter);
    std::vector<int32_t> commands;
    WindowProc previous = SetWindowProc(hwnd, [&](int32_t h, uint32_t m, int32_t w, int32_t l) {
        if (m == WM_SYSCOMMAND) commands.push_back(w);
        return CallWindowProc(previous, h, m, w, l);
    });

    presenter->queueChoice("Off");  // disabled: nothing is chosen
    ShowSystemMenu(hwnd);
    presenter->queueChoice("Extra");
    ShowSystemMenu(hwnd);
    EXPECT_EQ(commands, std::vector<int32_t>{2100});
    // The separator above "Extra" is an entry of the shown menu, right before it.
    ASSERT_GE(shown.size(), 3u);
    EXPECT_TRUE(shown[shown.size() - 3].separator);
    EXPECT_FALSE(shown.back().enabled);
}

TEST(ShellTest, MissingTargetsAndTheHostsHandler) {
    EXPECT_EQ(ShellExecute("/no/such/folder/file.txt"), SE_ERR_PNF);
    EXPECT_EQ(ShellExecute(::testing::TempDir() + "no-such-file.txt"), SE_ERR_FNF);
    EXPECT_EQ(ShellExecute("   "), SE_ERR_FNF);
    std::string seen;
    SetShellHandler([&](const std::string& t) {
        seen = t;
        return SE_OPENED;
    });
    EXPECT_EQ(ShellExecute("mailto:someone@example.org"), SE_OPENED);
    EXPECT_EQ(seen, "mailto:someone@example.org");
    SetShellHandler(nullptr);
}

TEST(ShellTest, AnExistingFileIsOpenedThroughTheDesktopServices) {
    const std::string path = ::testing::TempDir() + "shell-open.txt";
    std::ofstream(path) << "opened";
    // A text browser takes file addresses in place of the desktop, so nothing else starts.
    QTextBrowser opener;
    QDesktopServices::setUrlHandler("file", &opener, "setSource");
    EXPECT_GT(ShellExecute(path), 32);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(opener.source().toLocalFile().toStdString(), path);
}
