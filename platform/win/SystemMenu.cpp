#include "platform/win/SystemMenu.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "platform/forms/PopupMenu.h"
#include "platform/win/WindowRecordImpl.h"

namespace ctl {

namespace {
std::vector<SysMenuItem> DefaultItems() {
    return {{SC_RESTORE, "Restore", MFS_GRAYED, false},
            {SC_MOVE, "Move", 0, false},
            {SC_SIZE, "Size", 0, false},
            {SC_MINIMIZE, "Minimize", 0, false},
            {SC_MAXIMIZE, "Maximize", 0, false},
            {SC_CLOSE, "Close", 0, true}};
}

// The record with its menu ready; a form's first use also gives it the Alt+Space key.
WindowRecord* MenuRecord(int32_t hwnd) {
    WindowRecord* r = RecordOf(hwnd);
    if (!r) return nullptr;
    if (!r->systemMenuReady) {
        r->systemMenuReady = true;
        r->systemMenu = DefaultItems();
        if (r->widget->isWindow()) {
            auto* key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), r->widget);
            key->setContext(Qt::WindowShortcut);
            QObject::connect(key, &QShortcut::activated, [hwnd] { ShowSystemMenu(hwnd); });
        }
    }
    return r;
}

SysMenuItem* Find(WindowRecord& r, int32_t id) {
    auto it = std::find_if(r.systemMenu.begin(), r.systemMenu.end(),
                           [id](const SysMenuItem& i) { return i.id == id; });
    return it == r.systemMenu.end() ? nullptr : &*it;
}
}  // namespace

std::vector<SysMenuItem> SystemMenuItems(int32_t hwnd) {
    WindowRecord* r = MenuRecord(hwnd);
    return r ? r->systemMenu : std::vector<SysMenuItem>{};
}

std::vector<SysMenuItem> AddedSystemMenuItems(int32_t hwnd) {
    const std::vector<SysMenuItem> defaults = DefaultItems();
    std::vector<SysMenuItem> added;
    for (const SysMenuItem& i : SystemMenuItems(hwnd))
        if (std::none_of(defaults.begin(), defaults.end(),
                         [&i](const SysMenuItem& d) { return d.id == i.id; }))
            added.push_back(i);
    return added;
}

void RevertSystemMenu(int32_t hwnd) {
    if (WindowRecord* r = MenuRecord(hwnd)) r->systemMenu = DefaultItems();
}

bool InsertSystemMenuItem(int32_t hwnd, int32_t beforeId, const SysMenuItem& item) {
    WindowRecord* r = MenuRecord(hwnd);
    if (!r) return false;
    auto& items = r->systemMenu;
    auto at = std::find_if(items.begin(), items.end(),
                           [beforeId](const SysMenuItem& i) { return i.id == beforeId; });
    items.insert(at, item);
    return true;
}

bool SetSystemMenuItemText(int32_t hwnd, int32_t id, const std::string& text) {
    WindowRecord* r = MenuRecord(hwnd);
    SysMenuItem* item = r ? Find(*r, id) : nullptr;
    if (!item) return false;
    item->text = text;
    return true;
}

int32_t SystemMenuItemState(int32_t hwnd, int32_t id) {
    WindowRecord* r = MenuRecord(hwnd);
    SysMenuItem* item = r ? Find(*r, id) : nullptr;
    return item ? int32_t(item->state) : -1;
}

bool SetSystemMenuItemState(int32_t hwnd, int32_t id, uint32_t state) {
    WindowRecord* r = MenuRecord(hwnd);
    SysMenuItem* item = r ? Find(*r, id) : nullptr;
    if (!item) return false;
    item->state = state;
    return true;
}

void ShowSystemMenu(int32_t hwnd) {
    WindowRecord* r = MenuRecord(hwnd);
    if (!r) return;
    std::vector<MenuEntry> entries;
    std::vector<int32_t> ids;  // the identifier behind each entry (0 for separators)
    for (const SysMenuItem& i : r->systemMenu) {
        if (i.separator && !entries.empty()) {
            entries.push_back({"", true, false, false, true});
            ids.push_back(0);
        }
        entries.push_back({i.text, i.enabled(), i.checked(), i.id == SC_CLOSE, false});
        ids.push_back(i.id);
    }
    const QPoint corner = r->widget->mapToGlobal(QPoint(0, 0));
    const int chosen = Menus().Popup(entries, corner.x(), corner.y());
    if (chosen >= 0 && size_t(chosen) < ids.size() && ids[size_t(chosen)] != 0)
        SendMessage(hwnd, WM_SYSCOMMAND, ids[size_t(chosen)], 0);
}

}  // namespace ctl
