#pragma once
// The system menu of a form (the menu of its title bar): items by identifier, each with a text,
// a state (grayed, disabled, checked bits as the window system keeps them) and an optional
// separator above it. A form starts with the window system's default items.
#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

// State bits of a menu item.
constexpr uint32_t MFS_GRAYED = 1;
constexpr uint32_t MFS_DISABLED = 2;
constexpr uint32_t MFS_CHECKED = 8;

struct SysMenuItem {
    int32_t id = 0;
    std::string text;
    uint32_t state = 0;
    bool separator = false;  // a separator line directly above the item
    bool enabled() const { return (state & (MFS_GRAYED | MFS_DISABLED)) == 0; }
    bool checked() const { return (state & MFS_CHECKED) != 0; }
};

// The items in menu order (empty for an unknown window).
std::vector<SysMenuItem> SystemMenuItems(int32_t hwnd);
// The items added to the window system's default ones, in menu order (the separator flag of
// the first is kept as it is: the line above it parts it from the default items).
std::vector<SysMenuItem> AddedSystemMenuItems(int32_t hwnd);
// Back to the default items, dropping every added one.
void RevertSystemMenu(int32_t hwnd);
// Inserts an item before the item with identifier `beforeId`; appended at the end when no item
// has that identifier. False for an unknown window.
bool InsertSystemMenuItem(int32_t hwnd, int32_t beforeId, const SysMenuItem& item);
// Text and state of the item with identifier `id`; false (or -1) when there is none.
bool SetSystemMenuItemText(int32_t hwnd, int32_t id, const std::string& text);
int32_t SystemMenuItemState(int32_t hwnd, int32_t id);
bool SetSystemMenuItemState(int32_t hwnd, int32_t id, uint32_t state);

// Shows the system menu as a pop-up at the form's top-left corner (Alt+Space does this too);
// the chosen item is sent to the form as a system command through its message handlers.
void ShowSystemMenu(int32_t hwnd);

}  // namespace ctl
