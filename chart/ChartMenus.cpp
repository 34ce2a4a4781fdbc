#include "chart/ChartMenus.h"

#include <exception>

#include "chart/KarvexState.h"
#include "chart/map/TrackRecorder.h"
#include "chart/ucKarvex.h"
#include "common/basMenusys.h"
#include "common/bas_MenuAbout.h"
#include "common/clsControls.h"
#include "platform/com/RaisedError.h"
#include "platform/forms/PopupMenu.h"
#include "platform/sys/Prompts.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

namespace karvex {

namespace {
using bas_MenuAbout::AddSysMenuItem;
using bas_MenuAbout::CheckSysMenuItem;
using bas_MenuAbout::EnableSysMenuItem;
using bas_MenuAbout::IsSysMenuItemChecked;
using bas_MenuAbout::SetSysMenuItemText;

const char* kExecuteCaption = "Execute Track drawing";
const char* kAbortCaption = "Abort drawing in progress";

std::vector<ChartMenuItem> MapMenu() {
    return {
        {"mnuView", "View available Tracks", idView},
        {"s1", "-"},
        {"mnuExec", "Draw Track", idExec},
        {"mnuTrackcolor", "Set drawing color"},
        {"mnuCancel", "Cancel drawing in progress", idCancel, false},
        {"mnuPicture", "Set Picture...", idPicture},
        {"s2", "-"},
        {"mnuClear1", "Clear all Tracks", idClear},
        {"mnuClearPic", "Remove Picture"},
        {"mnuRemove", "Delete Track...", idRemove},
        {"s3", "-"},
        {"mnuLineDraw", "Create Track by step", idLineDraw},
        {"mnuPointDraw", "Create Track by points", idPointDraw},
        {"mnuCommit", "Close and commit new Track", idCommit, false},
        {"s4", "-"},
        {"mnuTopmost1", "Always on top", idTopmost},
        {"s5", "-"},
        {"mnuXYStyle", "Switch to Coordinate System mode", idXYStyle},
    };
}

std::vector<ChartMenuItem> ScaleMenu() {
    return {
        {"mnuEditScale", "Coordinate System settings", idEditScale},
        {"mnuClear2", "Clear Chart", idClear},
        {"s6", "-"},
        {"mnuTopmost2", "Always on top", idTopmost},
    };
}

struct MirrorEntry {
    int32_t id;
    const char* text;
    bool separator;
};
const std::vector<MirrorEntry>& MapMirror() {
    static const std::vector<MirrorEntry> items = {
        {idAbout, "About...", true},
        {idView, "View available Tracks", true},
        {idExec, "Draw Track", false},
        {idCancel, "Cancel drawing in progress", false},
        {idClear, "Clear all tracks", true},
        {idRemove, "Delete Track...", false},
        {idPicture, "Set Picture...", false},
        {idLineDraw, "Create Track by step", true},
        {idPointDraw, "Create Track by points", false},
        {idCommit, "Close and commit new Track", false},
        {idTopmost, "Always on top", true},
        {idXYStyle, "Switch to Coordinate System mode", true},
    };
    return items;
}
const std::vector<MirrorEntry>& ScaleMirror() {
    static const std::vector<MirrorEntry> items = {
        {idAbout, "About...", true},
        {idEditScale, "Coordinate System settings", true},
        {idClear, "Clear Chart", false},
        {idTopmost, "Always on top", true},
    };
    return items;
}

clsControls* Registry() {
    return Library().Registry.get();
}

// The one message handler of every hooked form: it finds the control registered for the form
// and lets it answer. A form without an entry gets the default handling, so no message is
// swallowed.
int32_t SubclassWndProc(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam) {
    ucKarvex* control = nullptr;
    try {
        clsControls* registry = Registry();
        const std::string key = clsControls::KeyOf(hwnd);
        if (registry && registry->Exists(key))
            control = static_cast<ucKarvex*>(ctl::GetWindowUserData(registry->Item(key)->hWnd));
    } catch (...) {
        control = nullptr;
    }
    if (!control) return ctl::DefWindowProc(hwnd, msg, wParam, lParam);
    try {
        return control->Menus().ProcessHostMessage(hwnd, msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}
}  // namespace

ChartMenus::ChartMenus(ucKarvex& owner) : k_(owner), popup1_(MapMenu()), popup2_(ScaleMenu()) {}

ChartMenus::~ChartMenus() {
    Release();
}

ChartMenuItem* ChartMenus::Item(const std::string& name) {
    for (auto* menu : {&popup1_, &popup2_})
        for (ChartMenuItem& i : *menu)
            if (i.Name == name) return &i;
    return nullptr;
}

int32_t ChartMenus::OwnWindow() const {
    return static_cast<const ctl::Widget&>(k_).hWnd();
}

// ---- the mirror -----------------------------------------------------------------------------

int32_t ChartMenus::FindParentWindow() const {
    const int32_t own = OwnWindow();
    const int32_t form = ctl::GetTopLevelWindow(own);
    if (form != 0 && form != own) return form;
    return ctl::GetParentWindow(own);
}

void ChartMenus::SetupMenus() {
    if (!k_.m_EnableMenu) return;
    released_ = false;
    parent_ = FindParentWindow();
    if (parent_ == 0) return;  // a control on no form has no system menu to extend
    if (!Library().Registry) Library().Registry = std::make_unique<clsControls>();
    Registry()->Add(OwnWindow(), parent_);
    if (k_.m_MapStyle != 0) {
        BuildSystemMenu(false);
    } else {
        BuildSystemMenu(true);
        RefreshMapMenu();
        EnableSysMenuItem(parent_, idCommit, false);
        if (k_.DbUnusable()) DisableMapMenu();
    }
    if (alwaysOnTop_) {
        SetTopmostChecks(true);
        basMenusys::SetWindowZOrder(parent_, basMenusys::HWND_TOPMOST);
        CheckSysMenuItem(parent_, idTopmost, true);
    }
}

void ChartMenus::BuildSystemMenu(bool mapMode) {
    UnhookHostWindow(parent_);
    ctl::RevertSystemMenu(parent_);
    for (const MirrorEntry& e : mapMode ? MapMirror() : ScaleMirror())
        AddSysMenuItem(parent_, e.id, e.text, e.separator);
    // The form stays where "Always on top" put it: its item keeps the check mark that says
    // so (a rebuilt menu for the other mode included).
    if (alwaysOnTop_) CheckSysMenuItem(parent_, idTopmost, true);
    HookHostWindow(parent_);
}

void ChartMenus::RebuildForMode(bool mapMode) {
    parent_ = FindParentWindow();
    if (parent_ != 0) BuildSystemMenu(mapMode);
}

void ChartMenus::ClearSystemMenu() {
    if (parent_ == 0) return;
    UnhookHostWindow(parent_);
    ctl::RevertSystemMenu(parent_);
}

void ChartMenus::Release() {
    if (released_) return;
    released_ = true;
    clsControls* registry = Registry();
    const std::string key = clsControls::KeyOf(parent_);
    // A second chart on the same form has taken it over: its hook and entries stay.
    const bool own = parent_ != 0 && registry && registry->Exists(key) &&
                     registry->Item(key)->hWnd == OwnWindow();
    if (own) {
        ClearSystemMenu();
        registry->Remove(key);
    }
    ctl::SetWindowUserData(OwnWindow(), nullptr);
    if (registry && registry->Count() == 0) Library().Registry.reset();
}

// ---- the form's message hook ----------------------------------------------------------------

void ChartMenus::HookHostWindow(int32_t host) {
    if (host == 0) return;
    clsControls* registry = Registry();
    if (!registry) registry = (Library().Registry = std::make_unique<clsControls>()).get();
    const std::string key = clsControls::KeyOf(host);
    // The control found a form it did not register with (it moved): it registers now, so the
    // form's own handler is kept for every other message.
    if (!registry->Exists(key) || registry->Item(key)->hWnd != OwnWindow())
        registry->Add(OwnWindow(), host);
    ctl::WindowProc previous = ctl::SetWindowProc(host, SubclassWndProc);
    if (previous) registry->Item(key)->DefWndProc = std::move(previous);
    ctl::SetWindowUserData(OwnWindow(), &k_);
}

void ChartMenus::UnhookHostWindow(int32_t host) {
    clsControls* registry = Registry();
    const std::string key = clsControls::KeyOf(host);
    if (host == 0 || !registry || !registry->Exists(key)) return;
    std::shared_ptr<tyControl> entry = registry->Item(key);
    if (!entry->DefWndProc) return;
    ctl::SetWindowProc(host, entry->DefWndProc);
    entry->DefWndProc = nullptr;
}

int32_t ChartMenus::ProcessHostMessage(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam) {
    if (msg == ctl::WM_SYSCOMMAND) {
        SystemMenuCommand(hwnd, wParam);
        return ctl::DefWindowProc(hwnd, ctl::WM_SYSCOMMAND, wParam, lParam);
    }
    ctl::WindowProc previous;
    clsControls* registry = Registry();
    const std::string key = clsControls::KeyOf(hwnd);
    if (registry && registry->Exists(key)) previous = registry->Item(key)->DefWndProc;
    return ctl::CallWindowProc(previous, hwnd, msg, wParam, lParam);
}

// ---- enabling rules -------------------------------------------------------------------------

void ChartMenus::EnableCommand(const std::string& name, bool on) {
    ChartMenuItem* item = Item(name);
    if (!item) return;
    item->Enabled = on;
    if (item->MirrorId != 0) EnableSysMenuItem(parent_, item->MirrorId, on);
}

void ChartMenus::SetCommandCaption(const std::string& name, const std::string& caption,
                                   const std::string& mirrorText) {
    ChartMenuItem* item = Item(name);
    if (!item) return;
    item->Caption = caption;
    if (item->MirrorId != 0) SetSysMenuItemText(parent_, item->MirrorId, mirrorText);
}

void ChartMenus::RefreshMapMenu() {
    if (!k_.m_EnableMenu) return;
    const bool running = k_.m_PlaybackRunning;
    if (!running)
        SetCommandCaption("mnuExec", kExecuteCaption, std::string(kExecuteCaption) + "...");
    else if (!k_.m_PlaybackPaused)
        SetCommandCaption("mnuExec", kAbortCaption, kAbortCaption);
    for (const char* name : {"mnuView", "mnuRemove", "mnuXYStyle"}) EnableCommand(name, !running);
    // A playback started while a new track is being drawn (a double-click) must not offer to
    // start another drawing when it ends: those commands stay off until the commit.
    const bool drawing = k_.Recorder().DrawByStep() || k_.Recorder().DrawByPoints();
    for (const char* name : {"mnuLineDraw", "mnuPointDraw"})
        EnableCommand(name, !running && !drawing);
    EnableCommand("mnuCancel", running);
}

void ChartMenus::DisableMapMenu() {
    for (const char* name :
         {"mnuExec", "mnuView", "mnuCancel", "mnuRemove", "mnuLineDraw", "mnuPointDraw"})
        EnableCommand(name, false);
}

void ChartMenus::SetMenuCaptions() {
    for (const auto& design : {MapMenu(), ScaleMenu()})
        for (const ChartMenuItem& d : design)
            if (!d.separator() && d.Name != "mnuTrackcolor" && d.Name != "mnuClearPic")
                if (ChartMenuItem* item = Item(d.Name)) item->Caption = d.Caption;
}

// ---- pop-up and commands --------------------------------------------------------------------

void ChartMenus::PopupContextMenu(float x, float y) {
    const bool mapMode = k_.m_MapStyle == 0;
    const std::vector<ChartMenuItem>& menu = mapMode ? popup1_ : popup2_;
    std::vector<ctl::MenuEntry> entries;
    for (const ChartMenuItem& i : menu) {
        ctl::MenuEntry e;
        e.caption = i.Caption;
        e.enabled = i.Enabled;
        e.checked = i.Checked;
        e.separator = i.separator();
        e.isDefault = mapMode && i.Name == "mnuExec";
        entries.push_back(e);
    }
    const int chosen = ctl::PopupMenuAt(*k_.pic_main, x, y, entries);
    if (chosen < 0 || size_t(chosen) >= menu.size()) return;
    RunItem(menu[size_t(chosen)].Name);
}

void ChartMenus::RunItem(const std::string& name) {
    // Each command traps its own errors: a failure ends that command only.
    try {
        ucKarvex& k = k_;
        if (name == "mnuView")
            k.mnuView_Click();
        else if (name == "mnuExec")
            k.PlayTrack(true);
        else if (name == "mnuTrackcolor")
            k.mnuTrackcolor_Click();
        else if (name == "mnuCancel")
            k.mnuCancel_Click();
        else if (name == "mnuPicture")
            k.mnuPicture_Click();
        else if (name == "mnuClearPic")
            k.mnuClearPic_Click();
        else if (name == "mnuClear1" || name == "mnuClear2")
            k.Clear();
        else if (name == "mnuRemove")
            k.mnuRemove_Click();
        else if (name == "mnuLineDraw")
            k.mnuLineDraw_Click();
        else if (name == "mnuPointDraw")
            k.mnuPointDraw_Click();
        else if (name == "mnuCommit")
            k.mnuCommit_Click();
        else if (name == "mnuTopmost1" || name == "mnuTopmost2")
            ToggleTopmost(parent_);
        else if (name == "mnuXYStyle")
            k.mnuXYStyle_Click();
        else if (name == "mnuEditScale")
            k.EditScaleSetting(1, "");
    } catch (const ctl::RaisedError&) {
        // A picture that does not decode is the caller's to hear of (the picture stays).
        if (name == "mnuPicture") throw;
    } catch (const std::exception&) {
    }
}

void ChartMenus::SystemMenuCommand(int32_t window, int32_t id) {
    try {
        ucKarvex& k = k_;
        switch (id) {
            case idAbout:
                k.About();
                break;
            case idExec:
                k.PlayTrack(true);
                break;
            case idClear:
                k.Clear();
                break;
            case idEditScale:
                k.EditScaleSetting(1, "");
                break;
            case idTopmost:
                ToggleTopmost(window);
                break;
            case idView:
                RunItem("mnuView");
                break;
            case idCancel:
                RunItem("mnuCancel");
                break;
            case idRemove:
                RunItem("mnuRemove");
                break;
            case idPicture:
                RunItem("mnuPicture");
                break;
            case idLineDraw:
                RunItem("mnuLineDraw");
                break;
            case idPointDraw:
                RunItem("mnuPointDraw");
                break;
            case idCommit:
                RunItem("mnuCommit");
                break;
            case idXYStyle:
                RunItem("mnuXYStyle");
                break;
            default:
                break;  // not ours: the default handling takes it
        }
    } catch (const ctl::RaisedError& e) {
        // A picture that does not decode: the window menu has no caller to return it to, so the
        // user hears of it as from the pop-up menu (the picture stays).
        if (id == idPicture) ctl::MsgBox(e.description(), ctl::MsgIcon::Critical);
    } catch (const std::exception&) {
    }
}

// ---- always on top --------------------------------------------------------------------------

void ChartMenus::SetTopmostChecks(bool on) {
    for (const char* name : {"mnuTopmost1", "mnuTopmost2"})
        if (ChartMenuItem* item = Item(name)) item->Checked = on;
}

// Every registered form follows its own check mark: first the unchecked ones leave the topmost
// band, then the checked ones enter it.
void ChartMenus::ApplyTopmostToRegistry() {
    clsControls* registry = Registry();
    if (!registry) return;
    for (const auto& [key, entry] : *registry)
        if (!IsSysMenuItemChecked(entry->Parent_hwnd, idTopmost))
            basMenusys::SetWindowZOrder(entry->Parent_hwnd, basMenusys::HWND_NOTOPMOST);
    for (const auto& [key, entry] : *registry)
        if (IsSysMenuItemChecked(entry->Parent_hwnd, idTopmost))
            basMenusys::SetWindowZOrder(entry->Parent_hwnd, basMenusys::HWND_TOPMOST);
}

void ChartMenus::ToggleTopmost(int32_t window) {
    alwaysOnTop_ = !alwaysOnTop_;
    SetTopmostChecks(alwaysOnTop_);
    if (window > 0 && window != parent_) parent_ = window;
    CheckSysMenuItem(parent_, idTopmost, alwaysOnTop_);
    ApplyTopmostToRegistry();
}

void ChartMenus::SetTopmost(bool value) {
    SetTopmostChecks(value);
    CheckSysMenuItem(parent_, idTopmost, value);
    ApplyTopmostToRegistry();
}

}  // namespace karvex
