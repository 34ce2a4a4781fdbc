#pragma once
#include <functional>
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

class CommandButton;

// A dialog window: a top-level window with a caption, placed on the screen in twips, shown
// modal (the caller waits until it closes) or modeless. Enter presses its default button and
// Esc its cancel button.
class Dialog : public Widget {
  public:
    Dialog();
    ~Dialog() override;
    std::string Caption() const;
    void setCaption(const std::string& text);
    // Size of the client area in twips.
    void setClientSize(int widthTwips, int heightTwips);
    void setDefaultButton(CommandButton* b) { default_ = b; }
    void setCancelButton(CommandButton* b) { cancel_ = b; }

    void ShowModal();     // returns once the dialog is closed
    void ShowModeless();  // returns at once
    void Close();
    bool IsOpen() const;
    // Runs when the dialog starts to close (by Close, Esc or the window's close box).
    std::function<void()> onClosing;

  private:
    class Keys;
    std::unique_ptr<Keys> keys_;
    CommandButton* default_ = nullptr;
    CommandButton* cancel_ = nullptr;
};

}  // namespace ctl
