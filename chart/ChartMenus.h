#pragma once
// The chart's two right-button menus, their mirror in the system menu of the form that holds
// the control, the rules for enabling, checking and captioning their items, "Always on top",
// and the hook through which the form's system commands reach the control.
#include <cstdint>
#include <string>
#include <vector>

namespace karvex {

class ucKarvex;

// An item of a pop-up menu: its design name, caption, state and the identifier of its mirror in
// the system menu (0 when it has none). A caption of "-" is a separator.
struct ChartMenuItem {
    std::string Name, Caption;
    int32_t MirrorId = 0;
    bool Enabled = true, Checked = false;
    bool separator() const { return Caption == "-"; }
};

// Identifiers of the system-menu mirror.
enum MirrorId : int32_t {
    idAbout = 1100,
    idView = 1101,
    idExec = 1102,
    idCancel = 1103,
    idClear = 1104,
    idRemove = 1105,
    idPicture = 1106,
    idLineDraw = 1107,
    idPointDraw = 1108,
    idCommit = 1109,
    idEditScale = 1110,
    idXYStyle = 1111,
    idTopmost = 1114,
};

class ChartMenus {
  public:
    explicit ChartMenus(ucKarvex& owner);
    ~ChartMenus();
    ChartMenus(const ChartMenus&) = delete;
    ChartMenus& operator=(const ChartMenus&) = delete;

    // The map-mode and coordinate-system menus, in menu order.
    const std::vector<ChartMenuItem>& mnuPopup1() const { return popup1_; }
    const std::vector<ChartMenuItem>& mnuPopup2() const { return popup2_; }
    // An item of either menu by design name; null when there is none.
    ChartMenuItem* Item(const std::string& name);

    int32_t ParentWindow() const { return parent_; }
    bool AlwaysOnTop() const { return alwaysOnTop_; }
    void setAlwaysOnTop(bool on) { alwaysOnTop_ = on; }

    // Building and removing the mirror.
    void SetupMenus();
    void BuildSystemMenu(bool mapMode);
    void ClearSystemMenu();
    int32_t FindParentWindow() const;
    // Finds the form again and, when there is one, rebuilds its mirror for the mode.
    void RebuildForMode(bool mapMode);
    // The control ends: its hook and registry entry go (when they are still its own), and the
    // form's system menu returns to its default items.
    void Release();

    // Enabling rules of map mode.
    void RefreshMapMenu();
    void DisableMapMenu();
    // An item and its mirror together.
    void EnableCommand(const std::string& name, bool on);
    void SetCommandCaption(const std::string& name, const std::string& caption,
                           const std::string& mirrorText);
    // The design captions again (the control does this when it is shown).
    void SetMenuCaptions();

    // The right-button menu of the mode, popped up at a point of the surface (twips); runs the
    // chosen item's command.
    void PopupContextMenu(float x, float y);
    // Runs the command of a mirror identifier; other identifiers run nothing.
    void SystemMenuCommand(int32_t window, int32_t id);
    // Runs the command of a pop-up item.
    void RunItem(const std::string& name);

    void ToggleTopmost(int32_t window);
    void SetTopmost(bool value);

    // The form's message hook.
    void HookHostWindow(int32_t host);
    void UnhookHostWindow(int32_t host);
    int32_t ProcessHostMessage(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam);

  private:
    void SetTopmostChecks(bool on);
    static void ApplyTopmostToRegistry();
    int32_t OwnWindow() const;

    ucKarvex& k_;
    std::vector<ChartMenuItem> popup1_, popup2_;
    int32_t parent_ = 0;
    bool alwaysOnTop_ = false;
    bool released_ = false;
};

}  // namespace karvex
