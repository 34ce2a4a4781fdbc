#pragma once
#include <functional>

#include "platform/forms/Widget.h"

namespace ctl {

// A borderless top-level window that drops down from a control, kept above other windows.
// Its position is in screen twips.
class DropDownForm : public Widget {
  public:
    DropDownForm();
    ~DropDownForm() override;
    void Show();
    void Hide();
    bool IsShown() const;
    // The window holds the keyboard focus or one of its children does.
    bool ContainsFocus() const;
    // Runs when the window stops being the active window.
    std::function<void()> onDeactivate;

  private:
    class Watcher;
    std::unique_ptr<Watcher> watcher_;
};

}  // namespace ctl
