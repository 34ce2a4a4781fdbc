#pragma once
#include <functional>
#include <string>

class QEventLoop;

#include "platform/forms/Widget.h"

namespace ctl {

class CommandButton;

// A top-level dialog window of fixed client size, shown modal or modeless. Esc presses its
// cancel button, Enter its default button (keys no child took). Closing tells whether the request
// came from the window's own close command (title-bar button, Alt+F4, CloseCommand) or from code
// (Close).
class DialogForm : public Widget {
  public:
    DialogForm();
    ~DialogForm() override;

    std::string Caption() const;
    void setCaption(const std::string& text);
    // The fixed client area, in twips.
    void setClientSize(int width, int height);
    // Kept above ordinary windows (applies from the next showing).
    void setTopmost(bool on);
    bool Topmost() const { return topmost_; }
    void setCancelButton(CommandButton* button) { cancel_ = button; }
    void setDefaultButton(CommandButton* button) { default_ = button; }

    // Shows the window and returns when it is closed; other windows take no input meanwhile.
    void ShowModal();
    void ShowModeless();
    // Lets events run while the window is shown and keepWaiting() holds (a caller waiting for
    // a modeless dialog).
    void WaitWhileShown(const std::function<bool()>& keepWaiting);
    bool IsShown() const;
    // Someone waits for the window to close (a modal loop or WaitWhileShown runs).
    bool Blocking() const { return waiting_ > 0; }

    void Close();         // from code
    void CloseCommand();  // as the user's close command

    // Runs as the window starts to close.
    std::function<void(bool fromCloseCommand)> onQueryUnload;

  private:
    class Window;
    friend class Window;
    void closing(bool fromCloseCommand);
    void escape();
    void press(CommandButton* button);
    bool topmost_ = false;
    bool byCode_ = false;
    int waiting_ = 0;
    QEventLoop* loop_ = nullptr;
    CommandButton* cancel_ = nullptr;
    CommandButton* default_ = nullptr;
};

}  // namespace ctl
