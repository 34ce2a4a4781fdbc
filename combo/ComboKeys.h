#pragma once

namespace quorlin {

class ucvQuorlin;

// The combo's keyboard: the two edit cells (moving the selection, Enter with AutoFill, typing
// that clears the selection, focus selecting the whole cell), the lists of the simple style,
// and the control itself in the drop-down list style. It also decides which child raises the
// control's KeyDown, KeyUp and KeyPress events.
class ComboKeys {
  public:
    explicit ComboKeys(ucvQuorlin& control);

    void Cell_GotFocus(int col);
    void Cell_Change();
    void Cell_KeyDown(int col, int& KeyCode, int& Shift);
    void Cell_KeyPress(int col, int& KeyAscii);
    void Cell_KeyUp(int& KeyCode, int& Shift);
    // The control's own lists (simple style); which = 1 for lstCol1a, 2 for lstCol2a.
    void List_KeyDown(int which, int& KeyCode, int& Shift);
    void List_KeyUp(int& KeyCode, int& Shift);
    // A typed letter moved one of the own lists (its search for a row beginning with it).
    void List_SearchMoved(int which);
    // The control itself (drop-down list style).
    void UserControl_KeyDown(int& KeyCode, int& Shift);
    void UserControl_KeyUp(int& KeyCode, int& Shift);

  private:
    bool EditStyle() const;
    void EnterInSecondCell();
    // Raises KeyDown or KeyUp; the host may change both arguments.
    void RaiseKey(const char* event, int& KeyCode, int& Shift);
    ucvQuorlin& c_;
};

}  // namespace quorlin
