#include "common/bas_MenuAbout.h"

#include "platform/win/Shell.h"
#include "platform/win/SystemMenu.h"

namespace bas_MenuAbout {

namespace {
constexpr uint32_t kGrayedAndDisabled = ctl::MFS_GRAYED | ctl::MFS_DISABLED;
}

void AddSysMenuItem(int32_t window, int32_t id, const std::string& caption, bool withSeparator) {
    if (window == 0) return;
    // Inserting before the entry's own identifier, not yet in the menu, appends it.
    ctl::SysMenuItem item;
    item.id = id;
    item.text = caption;
    item.separator = withSeparator;
    ctl::InsertSystemMenuItem(window, id, item);
}

void SetSysMenuItemText(int32_t window, int32_t id, const std::string& caption) {
    if (window == 0) return;
    ctl::SetSystemMenuItemText(window, id, caption);
}

void EnableSysMenuItem(int32_t window, int32_t id, bool enabled) {
    if (window == 0) return;
    int32_t read = ctl::SystemMenuItemState(window, id);
    if (read < 0) return;
    uint32_t state = uint32_t(read);
    if (enabled) {
        if ((state & kGrayedAndDisabled) == kGrayedAndDisabled) state &= ~kGrayedAndDisabled;
    } else {
        state |= kGrayedAndDisabled;
    }
    ctl::SetSystemMenuItemState(window, id, state);
}

bool IsSysMenuItemChecked(int32_t window, int32_t id) {
    if (window == 0) return false;
    int32_t state = ctl::SystemMenuItemState(window, id);
    return state >= 0 && (uint32_t(state) & ctl::MFS_CHECKED) != 0;
}

void CheckSysMenuItem(int32_t window, int32_t id, bool checked) {
    if (window == 0) return;
    int32_t read = ctl::SystemMenuItemState(window, id);
    if (read < 0) return;
    uint32_t state = uint32_t(read);
    state = checked ? state | ctl::MFS_CHECKED : state & ~ctl::MFS_CHECKED;
    ctl::SetSystemMenuItemState(window, id, state);
}

std::string OpenWithShell(const std::string& target) {
    const int32_t r = ctl::ShellExecute(target, "/");
    if (r > 32) return "";
    switch (r) {
        case 2:
            return "File not found.";
        case 3:
            return "Path not found.";
        case 5:
            return "Access denied.";
        case 27:
            return "Incomplete association type of file.";
        case 31:
            return "Missing association type of file.";
        default:
            return "Generic access file error.";
    }
}

}  // namespace bas_MenuAbout
