#pragma once
#include <cstdint>

#include "platform/controls/ListBox.h"
#include "platform/forms/DropDownForm.h"
#include "platform/graphics/Font.h"

namespace quorlin {

// The drop-down window of the combo in its drop-down styles: a borderless pop-up holding the
// rows in two lists side by side, which show one selected row across both. The control creates
// it for those styles and unloads it otherwise; while it exists its lists are where the rows
// live. It goes closed -> shown -> picked (Enter, a click on a row) or dismissed (Escape, the
// focus gone) -> closed; the control's timer hands a picked row back (DropDownFlow).
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

    // Lays the two lists side by side (a width below 1 hides that list) and gives both the
    // height, which they round down to whole rows; returns the height they took.
    int SizeLists(int widthCol1, int widthCol2, int height);
    int ListsHeight(int height);
    // Places the window (screen twips) around its lists.
    void Place(int left, int top);
    int WindowWidth() const;
    // Shows the window at its place with the given top and selected row, and puts the focus
    // into the first visible list. False when it could not be shown.
    bool Open(int32_t topIndex, int32_t listIndex);

    // Closes the window; a dismissed list gets back the row it had when it opened.
    void HideChildForm();
    // The keyboard handler of the lists, also called by the control in the drop-down list
    // style: PageUp, PageDown, Up and Down move the selection of both lists; every key is
    // swallowed.
    void lstCol1_KeyDown(int& KeyCode, int& Shift);
    // Enter or a click on a row: the row is picked unless Locked; the window closes.
    void Pick();
    // Escape: nothing is picked; the window closes and the row is put back.
    void Dismiss();

  private:
    ctl::ListBox& FirstVisible();
    void SelectBoth(int row);
    void List_KeyDown(int& KeyCode, int& Shift);
    void List_MouseMove(ctl::ListBox& list, float y);
    void List_MouseDown(ctl::ListBox& list, int button, int shift, float y);
    void List_Scroll(ctl::ListBox& from, ctl::ListBox& to);
    int border_;  // twips of the window's outline
};

}  // namespace quorlin
