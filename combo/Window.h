#pragma once
#include <cstdint>

#include "platform/forms/DropDownForm.h"
#include "platform/forms/Font.h"
#include "platform/forms/ListBox.h"

namespace quorlin {

// The drop-down window of the combo in its drop-down styles: a borderless form holding the
// rows in two lists side by side. The control creates it for those styles and unloads it
// otherwise; while it exists its lists are where the rows live.
class Window {
  public:
    Window();
    ~Window();

    ctl::DropDownForm form;
    ctl::ListBox lstCol1;
    ctl::ListBox lstCol2;

    bool Locked = false;     // copy of the control's Locked: no row can be picked
    int32_t ListIndex = -1;  // the row the window will hand back
    int32_t TopIndex = 0;
    bool Selected = false;      // a row was picked rather than the list dismissed
    bool FlagShowList = false;  // the window is shown
    bool Modal = false;
    int PixelW, PixelH;
    int ScrollBarWidth;  // twips: a vertical scroll bar and two pixels

    void setcFont(ctl::FontPtr font);
    void setcBackcolor(uint32_t color);
    void setcForecolor(uint32_t color);

    // Closes the window; a dismissed list gets back the row it had when it opened.
    void HideChildForm();
};

}  // namespace quorlin
