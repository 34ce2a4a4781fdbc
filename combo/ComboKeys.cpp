#include "combo/ComboKeys.h"

#include "combo/SelectionMove.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/Variant.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
// Keys from PageUp to Delete (End, Home, the arrows, Insert...): the simple style's lists
// swallow the ones they do not use.
bool NavigationKey(int keyCode) {
    return keyCode >= vbKeyPageUp && keyCode <= vbKeyDelete;
}
bool AltDown(int keyCode, int shift) {
    return keyCode == vbKeyDown && shift == ctl::vbAltMask;
}
// A by-reference argument the host handed back; a value that is not a 16-bit number counts
// as the original.
int Back(const ctl::Variant& v, int original) {
    try {
        return v.toInt16();
    } catch (const std::exception&) {
        return original;
    }
}
}  // namespace

ComboKeys::ComboKeys(ucvQuorlin& control) : c_(control) {
    c_.txtCol1.onGotFocus = [this] { Cell_GotFocus(1); };
    c_.txtCol2.onGotFocus = [this] { Cell_GotFocus(2); };
    c_.txtCol1.onChange = [this] { Cell_Change(); };
    c_.txtCol2.onChange = [this] { Cell_Change(); };
    c_.txtCol1.onKeyDown = [this](int& k, int& s) { Cell_KeyDown(1, k, s); };
    c_.txtCol2.onKeyDown = [this](int& k, int& s) { Cell_KeyDown(2, k, s); };
    c_.txtCol1.onKeyPress = [this](int& a) { Cell_KeyPress(1, a); };
    c_.txtCol2.onKeyPress = [this](int& a) { Cell_KeyPress(2, a); };
    c_.txtCol1.onKeyUp = [this](int& k, int& s) { Cell_KeyUp(k, s); };
    c_.txtCol2.onKeyUp = [this](int& k, int& s) { Cell_KeyUp(k, s); };
    c_.lstCol1a.onKeyDown = [this](int& k, int& s) { List_KeyDown(1, k, s); };
    c_.lstCol2a.onKeyDown = [this](int& k, int& s) { List_KeyDown(2, k, s); };
    c_.lstCol1a.onSearchMoved = [this] { List_SearchMoved(1); };
    c_.lstCol2a.onSearchMoved = [this] { List_SearchMoved(2); };
    c_.lstCol1a.onKeyUp = [this](int& k, int& s) { List_KeyUp(k, s); };
    c_.lstCol2a.onKeyUp = [this](int& k, int& s) { List_KeyUp(k, s); };
    c_.onKeyDown = [this](int& k, int& s) { UserControl_KeyDown(k, s); };
    c_.onKeyUp = [this](int& k, int& s) { UserControl_KeyUp(k, s); };
}

bool ComboKeys::EditStyle() const {
    return c_.m_Style == DropdownCombo || c_.m_Style == SimpleCombo;
}

void ComboKeys::RaiseKey(const char* event, int& KeyCode, int& Shift) {
    ctl::Args a{ctl::Variant(int16_t(KeyCode)), ctl::Variant(int16_t(Shift))};
    c_.RaiseEvent(event, a);
    KeyCode = Back(a[0], KeyCode);
    Shift = Back(a[1], Shift);
}

void ComboKeys::Cell_GotFocus(int col) {
    if (c_.m_Style == DropdownCombo && c_.flow_.Shown() && !c_.flow_.OpenedByMouse)
        c_.DropDown()->HideChildForm();
    ctl::TextBox& cell = col == 1 ? c_.txtCol1 : c_.txtCol2;
    cell.setSelStart(0);
    cell.setSelLength(int(cell.Text().size()));
}

void ComboKeys::Cell_Change() {
    // Writing a row into the cells is not the user emptying them.
    if (c_.showingSelection_) return;
    if (c_.txtCol1.Text().empty() && c_.txtCol2.Text().empty() && !c_.m_AutoFill && !c_.m_Locked)
        c_.ClearSelection();
}

void ComboKeys::Cell_KeyDown(int col, int& KeyCode, int& Shift) {
    if (AltDown(KeyCode, Shift)) {
        if (c_.m_Style == DropdownCombo) c_.flow_.Toggle();
        KeyCode = 0;
        return;
    }
    if (EditStyle()) RaiseKey("KeyDown", KeyCode, Shift);
    if (c_.m_Locked) return;
    ucvQuorlin::Pair p = c_.RowPair();
    ctl::ListBox* list = col == 1 ? p.col1 : p.col2;
    if (!list) return;
    if (KeyCode == vbKeyDelete) {
        c_.ClearSelection();  // the cell then deletes as usual
        return;
    }
    if (!IsMoveKey(KeyCode)) return;
    int row = MovedRow(KeyCode, list->ListIndex(), list->ListCount());
    if (row < 0) return;
    KeyCode = 0;
    c_.SelectRow(row);
    c_.RaiseEvent("Click");
}

void ComboKeys::Cell_KeyPress(int col, int& KeyAscii) {
    if (KeyAscii == vbKeyReturn) {
        KeyAscii = 0;
        if (col == 1)
            c_.txtCol2.SetFocus();
        else if (!c_.m_Locked)
            EnterInSecondCell();
        return;
    }
    if (EditStyle()) {
        ctl::Args a{ctl::Variant(int16_t(KeyAscii)), ctl::Variant(int16_t(col))};
        c_.RaiseEvent("KeyPress", a);
        KeyAscii = Back(a[0], KeyAscii);
    }
    // Typing starts a new entry: the selection goes, without a Click. A locked control keeps
    // it, since the user may not change the selection there.
    bool cancelled = col == 1 && KeyAscii == 0;
    if (c_.ListCount() > 0 && !c_.m_AutoFill && !cancelled && !c_.m_Locked) c_.ClearSelection();
}

void ComboKeys::EnterInSecondCell() {
    std::string first = c_.txtCol1.Text(), second = c_.txtCol2.Text();
    bool firstShown = c_.m_WidthCol1 != 0;
    bool fill =
        c_.m_AutoFill && !ctl::Trim(second).empty() && (!firstShown || !ctl::Trim(first).empty());
    if (!fill) {
        if (firstShown) c_.txtCol1.SetFocus();
        return;
    }
    // A refused duplicate or a running sort add nothing; the cells are emptied and Filled is
    // raised all the same.
    try {
        c_.AddItem(firstShown ? first : std::string(), second, 0);
        int32_t count = c_.ListCount();
        if (count > 0) c_.setTopIndex(count - 1);
    } catch (const std::exception&) {
    }
    if (firstShown) c_.txtCol1.setText("");
    c_.txtCol2.setText("");
    if (firstShown) c_.txtCol1.SetFocus();
    c_.RaiseEvent("Filled");
}

void ComboKeys::Cell_KeyUp(int& KeyCode, int& Shift) {
    if (EditStyle()) RaiseKey("KeyUp", KeyCode, Shift);
}

void ComboKeys::List_KeyDown(int which, int& KeyCode, int& Shift) {
    if (c_.m_Style != SimpleCombo) return;
    ctl::ListBox& list = which == 1 ? c_.lstCol1a : c_.lstCol2a;
    if (c_.m_Locked) {
        RaiseKey("KeyDown", KeyCode, Shift);
        KeyCode = 0;  // the list does not move
        c_.KeepSelection(which);
        return;
    }
    int row = -1;
    if (IsMoveKey(KeyCode)) {
        row = MovedRow(KeyCode, list.ListIndex(), list.ListCount());
        KeyCode = 0;
    } else if (KeyCode == vbKeyDelete) {
        row = list.ListIndex();
        KeyCode = 0;
    } else if (NavigationKey(KeyCode)) {
        KeyCode = 0;
    }
    if (row >= 0) c_.SelectRow(row);
    RaiseKey("KeyDown", KeyCode, Shift);
}

void ComboKeys::List_SearchMoved(int which) {
    if (c_.m_Style != SimpleCombo) return;
    // A letter moved one list to a row beginning with it: the row becomes the control's, in
    // both lists and the cells, as a move key would make it (no Click on the keys' path).
    ctl::ListBox& list = which == 1 ? c_.lstCol1a : c_.lstCol2a;
    if (c_.m_Locked) {
        c_.KeepSelection(0);
        return;
    }
    int row = list.ListIndex();
    if (row >= 0) c_.SelectRow(row);
}

void ComboKeys::List_KeyUp(int& KeyCode, int& Shift) {
    if (c_.m_Style == SimpleCombo) RaiseKey("KeyUp", KeyCode, Shift);
}

void ComboKeys::UserControl_KeyDown(int& KeyCode, int& Shift) {
    // Keys the cells leave unused reach the control too; only its own focus counts here.
    if (c_.m_Style != DropdownList || !c_.HasFocus()) return;
    RaiseKey("KeyDown", KeyCode, Shift);
    if (AltDown(KeyCode, Shift)) {
        KeyCode = 0;
        c_.flow_.Toggle();
        return;
    }
    Window* w = c_.ListWindow();
    if (!w) {
        KeyCode = 0;
        return;
    }
    int before = w->lstCol1.ListIndex();
    w->lstCol1_KeyDown(KeyCode, Shift);
    int after = w->lstCol1.ListIndex();
    if (after != before && after >= 0) {
        try {
            c_.setListIndex(after);
        } catch (const std::exception&) {
        }
    }
}

void ComboKeys::UserControl_KeyUp(int& KeyCode, int& Shift) {
    if (c_.m_Style == DropdownList && c_.HasFocus()) RaiseKey("KeyUp", KeyCode, Shift);
}

}  // namespace quorlin
