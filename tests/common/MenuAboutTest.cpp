// System-menu helpers, the registry of hooked forms and the shell texts.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "common/basMenusys.h"
#include "common/bas_MenuAbout.h"
#include "common/clsControls.h"
#include "platform/com/UserControl.h"
#include "platform/win/Shell.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

using namespace bas_MenuAbout;

namespace {
const ctl::SysMenuItem* Find(const std::vector<ctl::SysMenuItem>& items, int32_t id) {
    for (const auto& i : items)
        if (i.id == id) return &i;
    return nullptr;
}
}  // namespace

TEST(MenuAboutTest, EntriesAppendInCallOrderWithTheirSeparators) {
    ctl::Form form;
    const int32_t w = form.hWnd();
    const size_t defaults = ctl::SystemMenuItems(w).size();
    AddSysMenuItem(w, 1200, "", true);  // a separator and an entry with empty text
    AddSysMenuItem(w, 1201, "Two", false);
    auto items = ctl::SystemMenuItems(w);
    ASSERT_EQ(items.size(), defaults + 2);
    EXPECT_EQ(items[defaults].id, 1200);
    EXPECT_EQ(items[defaults].text, "");
    EXPECT_TRUE(items[defaults].separator);
    EXPECT_FALSE(items[defaults + 1].separator);
    SetSysMenuItemText(w, 1201, "Renamed");
    EXPECT_EQ(Find(ctl::SystemMenuItems(w), 1201)->text, "Renamed");
}

TEST(MenuAboutTest, EnablingClearsOnlyAFullyDisabledState) {
    ctl::Form form;
    const int32_t w = form.hWnd();
    AddSysMenuItem(w, 1300, "Item", false);
    ctl::SetSystemMenuItemState(w, 1300, ctl::MFS_GRAYED);  // grayed alone
    EnableSysMenuItem(w, 1300, true);
    EXPECT_EQ(ctl::SystemMenuItemState(w, 1300), int32_t(ctl::MFS_GRAYED));
    EnableSysMenuItem(w, 1300, false);
    EXPECT_EQ(ctl::SystemMenuItemState(w, 1300), 3);
    EnableSysMenuItem(w, 1300, true);
    EXPECT_EQ(ctl::SystemMenuItemState(w, 1300), 0);

    CheckSysMenuItem(w, 1300, true);
    EXPECT_TRUE(IsSysMenuItemChecked(w, 1300));
    EnableSysMenuItem(w, 1300, false);
    EXPECT_TRUE(IsSysMenuItemChecked(w, 1300));  // the check mark survives
    CheckSysMenuItem(w, 1300, false);
    EXPECT_FALSE(IsSysMenuItemChecked(w, 1300));
    EXPECT_EQ(ctl::SystemMenuItemState(w, 1300), 3);
}

TEST(MenuAboutTest, WindowZeroDoesNothing) {
    AddSysMenuItem(0, 1400, "x", true);
    SetSysMenuItemText(0, 1400, "y");
    EnableSysMenuItem(0, 1400, false);
    CheckSysMenuItem(0, 1400, true);
    EXPECT_FALSE(IsSysMenuItemChecked(0, 1400));
    EXPECT_FALSE(basMenusys::IsWindowShown(0));
    basMenusys::SetWindowZOrder(0, basMenusys::HWND_TOPMOST);
}

TEST(MenuAboutTest, ShellFailuresAsText) {
    EXPECT_EQ(OpenWithShell(::testing::TempDir() + "missing-file.doc"), "File not found.");
    EXPECT_EQ(OpenWithShell("/missing/folder/file.doc"), "Path not found.");
    ctl::SetShellHandler([](const std::string&) { return 31; });
    EXPECT_EQ(OpenWithShell("mailto:a@b.example"), "Missing association type of file.");
    ctl::SetShellHandler([](const std::string&) { return 27; });
    EXPECT_EQ(OpenWithShell("x"), "Incomplete association type of file.");
    ctl::SetShellHandler([](const std::string&) { return 0; });
    EXPECT_EQ(OpenWithShell("x"), "Generic access file error.");
    ctl::SetShellHandler([](const std::string&) { return 42; });
    EXPECT_EQ(OpenWithShell("x"), "");
    ctl::SetShellHandler(nullptr);
}

TEST(ControlsRegistryTest, ASecondControlTakesTheFormOver) {
    ctl::Form form;
    const int32_t host = form.hWnd();
    int hostCalls = 0;
    ctl::WindowProc hostProc = [&](int32_t h, uint32_t m, int32_t w, int32_t l) {
        ++hostCalls;
        return ctl::DefWindowProc(h, m, w, l);
    };
    ctl::SetWindowProc(host, hostProc);

    clsControls registry;
    registry.Add(101, host);
    // The first control hooks the form and keeps the form's handler.
    registry.Item(clsControls::KeyOf(host))->DefWndProc =
        ctl::SetWindowProc(host, [](int32_t, uint32_t, int32_t, int32_t) { return 99; });
    EXPECT_EQ(ctl::SendMessage(host, 0x400, 0, 0), 99);

    registry.Add(202, host);
    EXPECT_EQ(registry.Count(), 1);
    auto entry = registry.Item(clsControls::KeyOf(host));
    EXPECT_EQ(entry->hWnd, 202);
    EXPECT_FALSE(entry->DefWndProc);
    // The form's own handler is back in place.
    EXPECT_EQ(ctl::SendMessage(host, 0x400, 0, 0), 0);
    EXPECT_EQ(hostCalls, 1);
}

TEST(ControlsRegistryTest, MissingKeysRaiseAndClearEmptiesAll) {
    clsControls registry;
    registry.Add(1, 0x10);
    registry.Add(2, 0x20);
    EXPECT_EQ(ErrorOf([&] { registry.Item("12345"); }), 5);
    EXPECT_EQ(ErrorOf([&] { registry.Remove("12345"); }), 5);
    int seen = 0;
    for (const auto& [key, entry] : registry) seen += entry->hWnd;
    EXPECT_EQ(seen, 3);
    registry.Remove(clsControls::KeyOf(0x10));
    EXPECT_FALSE(registry.Exists(clsControls::KeyOf(0x10)));
    registry.Clear();
    EXPECT_EQ(registry.Count(), 0);
}
