#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// Why a dialog window is being closed, as its QueryUnload handler is told.
enum UnloadMode : int { vbFormControlMenu = 0, vbFormCode = 1 };

// A fixed-size dialog window (client area in twips) that can be shown modal or modeless. It is
// "open" from Load (or a Show) until it closes; before it closes, onQueryUnload may cancel.
class DialogWindow : public Widget {
  public:
    DialogWindow();
    ~DialogWindow() override;

    std::string Caption() const;
    void setCaption(const std::string& text);
    void setClientSize(int widthTwips, int heightTwips);

    void Load() { open_ = true; }
    bool IsOpen() const { return open_; }
    void ShowModal();     // returns when the window has closed
    void ShowModeless();  // returns at once
    // Closing by code, and by the window's own close command (also the Esc key).
    void Unload() { requestClose(vbFormCode); }
    void CloseByUser() { requestClose(vbFormControlMenu); }

    std::function<void(bool& cancel, int unloadMode)> onQueryUnload;

    class Impl;

  private:
    friend class Impl;
    bool requestClose(int mode);
    Impl* d_;  // owned by the toolkit window
    bool open_ = false;
};

}  // namespace ctl
