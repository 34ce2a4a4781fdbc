#include "combo/ComboMouse.h"

#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/Variant.h"

namespace quorlin {

ComboMouse::ComboMouse(ucvQuorlin& control) : c_(control) {
    // The edit cells raise the mouse events in the styles that show them, the labels in the
    // drop-down list style; the control's lists do in the simple style (below).
    auto cellEvents = [this](ctl::Widget& w, int style1, int style2) {
        w.onMouseDown = [this, style1, style2](int b, int s, float x, float y) {
            if (c_.m_Style == style1 || c_.m_Style == style2) Raise("MouseDown", b, s, x, y);
        };
        w.onMouseMove = [this, style1, style2](int b, int s, float x, float y) {
            if (c_.m_Style == style1 || c_.m_Style == style2) Raise("MouseMove", b, s, x, y);
        };
        w.onMouseUp = [this, style1, style2](int b, int s, float x, float y) {
            if (c_.m_Style == style1 || c_.m_Style == style2) Raise("MouseUp", b, s, x, y);
        };
    };
    cellEvents(c_.txtCol1, DropdownCombo, SimpleCombo);
    cellEvents(c_.txtCol2, DropdownCombo, SimpleCombo);
    cellEvents(c_.lblCol1, DropdownList, DropdownList);
    cellEvents(c_.lblCol2, DropdownList, DropdownList);
    for (ctl::Label* l : {&c_.lblCol1, &c_.lblCol2}) {
        auto raise = l->onMouseDown;
        l->onMouseDown = [this, raise](int b, int s, float x, float y) {
            c_.flow_.Label_MouseDown(b);
            raise(b, s, x, y);
        };
    }

    for (int which : {1, 2}) {
        ctl::ListBox& l = which == 1 ? c_.lstCol1a : c_.lstCol2a;
        l.onMouseDown = [this, which](int b, int s, float x, float y) {
            List_MouseDown(which, b, s, x, y);
        };
        l.onMouseMove = [this, which](int b, int s, float x, float y) {
            List_MouseMove(which, b, s, x, y);
        };
        l.onMouseUp = [this, which](int b, int s, float x, float y) {
            List_MouseUp(which, b, s, x, y);
        };
        l.onScroll = [this, which] { List_Scroll(which); };
    }

    c_.imgCombo.onMouseDown = [this](int b, int s, float, float) {
        c_.flow_.imgCombo_MouseDown(b, s);
    };
    c_.imgCombo.onMouseUp = [this](int b, int s, float, float) { c_.flow_.imgCombo_MouseUp(b, s); };
}

void ComboMouse::Raise(const char* event, int button, int shift, float x, float y) {
    ctl::Args a{ctl::Variant(int16_t(button)), ctl::Variant(int16_t(shift)), ctl::Variant(x),
                ctl::Variant(y)};
    c_.RaiseEvent(event, a);
}

// The row the user pointed at becomes the control's row (Click unless Locked; with Locked on
// the lists were put back first, so the row does not change).
void ComboMouse::AssignListRow(int which) {
    if (c_.m_Locked) c_.KeepSelection(which);
    int row = (which == 1 ? c_.lstCol1a : c_.lstCol2a).ListIndex();
    if (row < 0) return;
    try {
        c_.setListIndex(row);
    } catch (const std::exception&) {
    }
}

void ComboMouse::List_MouseDown(int which, int button, int shift, float x, float y) {
    if (c_.m_Style != SimpleCombo) return;
    if (button == ctl::vbLeftButton && !Initialising()) AssignListRow(which);
    Raise("MouseDown", button, shift, x, y);
}

void ComboMouse::List_MouseUp(int which, int button, int shift, float x, float y) {
    if (c_.m_Style != SimpleCombo) return;
    if (button == ctl::vbLeftButton && shift == 0) AssignListRow(which);
    Raise("MouseUp", button, shift, x, y);
}

void ComboMouse::List_MouseMove(int which, int button, int shift, float x, float y) {
    if (c_.m_Style != SimpleCombo) return;
    if (c_.m_Locked) {
        c_.KeepSelection(which);
    } else {
        ctl::ListBox& from = which == 1 ? c_.lstCol1a : c_.lstCol2a;
        ctl::ListBox& to = which == 1 ? c_.lstCol2a : c_.lstCol1a;
        if (to.ListIndex() != from.ListIndex()) to.setListIndex(from.ListIndex());
        if (to.TopIndex() != from.TopIndex()) to.setTopIndex(from.TopIndex());
    }
    Raise("MouseMove", button, shift, x, y);
}

void ComboMouse::List_Scroll(int which) {
    if (c_.m_Style != SimpleCombo) return;
    ctl::ListBox& from = which == 1 ? c_.lstCol1a : c_.lstCol2a;
    ctl::ListBox& to = which == 1 ? c_.lstCol2a : c_.lstCol1a;
    if (to.TopIndex() != from.TopIndex()) to.setTopIndex(from.TopIndex());
    c_.m_TopIndex = from.TopIndex();
}

}  // namespace quorlin
