#pragma once

namespace quorlin {

class ucvQuorlin;

// The combo's mouse: which child raises the control's MouseDown, MouseMove and MouseUp events
// in each style, clicks on the simple style's lists (a press and a release each assign the
// row, so a click raises Click twice), the pair of lists kept on one row and one top row, and
// the drop-down button and labels that open the list.
class ComboMouse {
  public:
    explicit ComboMouse(ucvQuorlin& control);

    void List_MouseDown(int which, int button, int shift, float x, float y);
    void List_MouseMove(int which, int button, int shift, float x, float y);
    void List_MouseUp(int which, int button, int shift, float x, float y);
    void List_Scroll(int which);

  private:
    void Raise(const char* event, int button, int shift, float x, float y);
    void AssignListRow(int which);
    ucvQuorlin& c_;
};

}  // namespace quorlin
