#pragma once
#include <cstdint>

namespace quorlin {

class ucvQuorlin;

// The control's side of the drop-down window: opening it under or above the control, the
// drop-down button and the labels that open and close it, and the timer that watches the
// focus, closes the window when the focus has gone elsewhere and hands a picked row back.
class DropDownFlow {
  public:
    explicit DropDownFlow(ucvQuorlin& control);

    // ShowList: sizes, places, selects and shows the window.
    void ShowList();
    // Opens the list, or closes it when it is shown (the button, Alt+Down, a label click).
    void Toggle();
    bool Shown() const;
    // TimerProc, on every tick.
    void TimerProc_Timer();

    void imgCombo_MouseDown(int button, int shift);
    void imgCombo_MouseUp(int button, int shift);
    // A left click on a label of the drop-down list style.
    void Label_MouseDown(int button);

    // A mouse press opened the list (cleared once the list has the focus).
    bool OpenedByMouse = false;
    // The window that last had the focus (its handle; 0 none).
    int32_t LastFocus = 0;

  private:
    void HandBack();
    void ShowNormalLabels();
    ucvQuorlin& c_;
};

}  // namespace quorlin
