#include "combo/DropDownFlow.h"

#include "combo/ListPlacement.h"
#include "combo/ucvQuorlin.h"
#include "platform/sys/Screen.h"

namespace quorlin {

namespace {
constexpr uint32_t kLockedBack = 0xC0C0C0, kLockedFore = 0x000000;
constexpr int kAllShiftKeys = ctl::vbShiftMask | ctl::vbCtrlMask | ctl::vbAltMask;
}  // namespace

DropDownFlow::DropDownFlow(ucvQuorlin& control) : c_(control) {}

bool DropDownFlow::Shown() const {
    Window* w = c_.DropDown();
    return w && w->FlagShowList;
}

void DropDownFlow::ShowList() {
    Window* w = c_.ListWindow();
    if (!w || w->FlagShowList) return;
    int w1 = c_.WidthCol1() >= 1 ? c_.WidthCol1() : 0;
    int w2 = c_.WidthCol2() >= 1 ? c_.WidthCol2() : 0;
    // The last visible list takes the button's width too, so the window is as wide as the
    // control (its outline included).
    int extra = c_.ButtonWidth() - 2 * w->PixelW - 2 * w->PixelW;
    if (w2 >= 1)
        w2 += extra;
    else
        w1 += extra;
    c_.m_ListHeight = w->SizeLists(w1, w2, c_.m_ListHeight);
    // Whole pixels: the last list takes up what rounding left over.
    int rest = c_.Width() - w->WindowWidth();
    if (rest != 0)
        c_.m_ListHeight =
            w->SizeLists(w2 >= 1 ? w1 : w1 + rest, w2 >= 1 ? w2 + rest : w2, c_.m_ListHeight);

    ctl::Widget::RectPx r = c_.WindowRect();
    int border = 2 * w->PixelH;
    ListPlace place = PlaceList({r.left, r.top, r.right, r.bottom}, w->PixelW, w->PixelH,
                                ctl::Screen::WidthTwips(), ctl::Screen::HeightTwips(),
                                c_.m_ListHeight + border, w->WindowWidth(), c_.WidthCol1() < 1,
                                [w, border](int h) { return w->ListsHeight(h - border) + border; });
    w->ListsHeight(place.height - border);
    w->Place(place.left, place.top);
    w->Open(c_.TopIndex(), c_.ListIndex());
}

void DropDownFlow::Toggle() {
    Window* w = c_.ListWindow();
    if (!w) return;
    if (w->FlagShowList)
        w->HideChildForm();
    else
        ShowList();
}

void DropDownFlow::imgCombo_MouseDown(int button, int) {
    if (button != ctl::vbLeftButton) return;
    c_.imgCombo.setPicture(c_.imgCboDown);
    OpenedByMouse = true;
    Toggle();
}

void DropDownFlow::imgCombo_MouseUp(int button, int shift) {
    if (button == ctl::vbLeftButton) c_.imgCombo.setPicture(c_.imgCboUp);
    if (button == ctl::vbRightButton && shift == kAllShiftKeys) c_.About();
}

void DropDownFlow::Label_MouseDown(int button) {
    if (button != ctl::vbLeftButton || c_.Style() != DropdownList) return;
    if (Shown()) {
        c_.DropDown()->HideChildForm();
        c_.ShowFocus();
    } else {
        OpenedByMouse = true;
        ShowList();
    }
}

void DropDownFlow::TimerProc_Timer() {
    ctl::Widget* focus = ctl::Widget::Focused();
    LastFocus = focus ? focus->hWnd() : 0;
    Window* w = c_.DropDown();
    if (w && w->FlagShowList) {
        if (w->form.ContainsFocus()) {
            OpenedByMouse = false;
            return;
        }
        w->HideChildForm();
        if (c_.Style() == DropdownList && c_.HasFocus()) c_.ShowFocus();
    } else if (c_.Style() == DropdownList) {
        if (c_.HasFocus() && !c_.FocusShown())
            c_.ShowFocus();
        else if (!c_.HasFocus() && c_.FocusShown())
            ShowNormalLabels();
    }
    if (w && w->Selected) HandBack();
}

void DropDownFlow::HandBack() {
    Window* w = c_.DropDown();
    int32_t row = w->ListIndex;
    w->Selected = false;
    try {
        c_.setListIndex(row);
    } catch (const std::exception&) {
        // The rows changed since the pick (a handler removed them): nothing to hand back.
    }
}

void DropDownFlow::ShowNormalLabels() {
    bool locked = c_.Locked();
    for (ctl::Label* l : {&c_.lblCol1, &c_.lblCol2}) {
        l->setBackColor(locked ? kLockedBack : c_.Backcolor());
        l->setForeColor(locked ? kLockedFore : c_.Forecolor());
    }
    c_.focusRect.Erase();
    c_.focusShown_ = false;
}

}  // namespace quorlin
