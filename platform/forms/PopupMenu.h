#pragma once
// Pop-up menus: a list of entries shown at a screen position, answering the index of the chosen
// entry. A presenter shows them: real toolkit menus by default, a scripted presenter for tests
// and script hosts, which answers from a queue of captions and reports every menu.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/Widget.h"

namespace ctl {

struct MenuEntry {
    std::string caption;
    bool enabled = true, checked = false;
    bool isDefault = false;  // shown in bold; the item a double-click would run
    bool separator = false;  // a separator line (its caption is ignored)
};

class MenuPresenter {
  public:
    virtual ~MenuPresenter() = default;
    // Position in screen pixels. Returns the index of the chosen entry, -1 when dismissed.
    virtual int Popup(const std::vector<MenuEntry>& entries, int xPx, int yPx) = 0;
};

// Real menus of the toolkit, run modally at the position.
class ToolkitMenuPresenter : public MenuPresenter {
  public:
    int Popup(const std::vector<MenuEntry>& entries, int xPx, int yPx) override;
};

// Answers menus from a queue of captions (nullopt dismisses); an unanswered menu is dismissed.
// A queued caption that names no enabled entry dismisses the menu too.
class ScriptedMenuPresenter : public MenuPresenter {
  public:
    void queueChoice(std::optional<std::string> caption) { choices_.push_back(std::move(caption)); }
    // Every menu shown: its entries, the chosen index (-1 none), where it was shown.
    std::function<void(const std::vector<MenuEntry>&, int chosen, int xPx, int yPx)> onPopup;
    int Popup(const std::vector<MenuEntry>& entries, int xPx, int yPx) override;

  private:
    std::deque<std::optional<std::string>> choices_;
};

MenuPresenter& Menus();
void SetMenuPresenter(std::shared_ptr<MenuPresenter> p);  // null restores real menus

// Shows entries at the mouse pointer through the current presenter.
int PopupMenuAtPointer(const std::vector<MenuEntry>& entries);
// Shows entries at a point of a window (twips of its client area), where a button was released.
int PopupMenuAt(Widget& window, float xTwips, float yTwips, const std::vector<MenuEntry>& entries);
// The position of the mouse pointer in screen pixels.
void PointerPosition(int& xPx, int& yPx);

// Renders a window with its children and, over it, the menu as the toolkit draws it, its
// top-left corner at (xPx, yPx) of the screen (the window's own position taken off), to a PNG.
// False when the window is gone; raises the file's error as SaveWindowPng does.
bool SaveWindowPngWithMenu(Widget& window, const std::vector<MenuEntry>& entries, int xPx, int yPx,
                           const std::string& path);

}  // namespace ctl
