#pragma once
#include <functional>

#include "platform/forms/Widget.h"

template <class T>
class QPointer;

namespace ctl {

// A borderless top-level pop-up window that drops down from a control, above other windows.
// It takes the keyboard while it is shown, closes itself when the user clicks outside it, and
// gives the focus back to the window that had it when it closes. Its position is in screen
// twips; it never blocks the caller.
class DropDownForm : public Widget {
  public:
    DropDownForm();
    ~DropDownForm() override;
    // Shows the window; when the window system refuses a pop-up, it is shown as an
    // application-modal window instead (still without a nested event loop). Returns false when
    // the window could not be shown at all.
    bool Show();
    void Hide();
    bool IsShown() const;
    // Shown as an application-modal window because the pop-up was refused.
    bool ShownModal() const { return modal_; }
    // The window holds the keyboard focus or one of its children does.
    bool ContainsFocus() const;
    // Runs when the window stops being the active window or closes itself (a click outside).
    std::function<void()> onDeactivate;

  private:
    class Watcher;
    void giveBackActivation();
    std::unique_ptr<Watcher> watcher_;
    std::unique_ptr<QPointer<QWidget>> previous_;  // the window active before it opened
    bool hiding_ = false, modal_ = false;
};

}  // namespace ctl
