// The chart's menu commands; the menus themselves (items, mirror, enabling rules) are ChartMenus.
#include "chart/ucKarvex.h"
#include "common/bas_DialogColor.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

namespace karvex {

void ucKarvex::mnuView_Click() {
    m_TrackName = ChooseTrack("Available Tracks");
}

void ucKarvex::mnuTrackcolor_Click() {
    const int32_t chosen = bas_DialogColor::ShowColorDialog(
        menus_->ParentWindow(), int32_t(m_TrackColor), "Choose the drawing color");
    if (chosen >= 0) setTrackColor(uint32_t(chosen));
}

void ucKarvex::mnuRemove_Click() {
    m_TrackName = ChooseTrack("Delete Track");
    if (m_TrackName.empty()) return;
    const int answer =
        ctl::MsgBox("Are you sure to delete the Track  ''" + m_TrackName + "'' ?",
                    ctl::MsgIcon::Question, ctl::MsgButtons::YesNo, 2, "Delete Track");
    if (answer == ctl::vbYes && DeleteTrack()) m_TrackName.clear();
}

void ucKarvex::mnuXYStyle_Click() {
    m_FlagExit = false;
    pic_main->Cls();
    // The property runs EnterScaleSystem itself at run time, and tells the host.
    setMapStyle(1);
}

void ucKarvex::EnterScaleSystem() {
    if (!m_EnableMenu || m_MapStyle != 1) return;
    if (SetScaleUnit()) {
        menus_->RebuildForMode(false);
    } else if (m_ControlError.empty()) {
        ctl::MsgBox("Invalid coordinate values", ctl::MsgIcon::Critical);
    }
}

bool ucKarvex::TopmostForDialog(bool modal) {
    if (!menus_->AlwaysOnTop()) return false;
    // A modal dialog under a window kept on top would be hidden: "Always on top" goes first.
    if (modal) {
        menus_->setAlwaysOnTop(false);
        menus_->SetTopmost(false);
        return false;
    }
    return true;
}

void ucKarvex::pic_main_MouseUp(int button, int shift, float x, float y) {
    if (!UserMode()) return;
    try {
        if (button == ctl::vbRightButton && shift == 0 && m_EnableMenu)
            menus_->PopupContextMenu(x, y);
        if (button == ctl::vbLeftButton && shift == 0 && m_MapStyle != 0) UpdateMouseValues(x, y);
        if (!DrawingMouseUp(button, shift, x, y)) return;
        ctl::Args args{ctl::Variant(int16_t(button)), ctl::Variant(int16_t(shift)), ctl::Variant(x),
                       ctl::Variant(y)};
        RaiseEvent("MouseUp", args);
    } catch (const ctl::RaisedError& e) {
        ctl::MsgBox(e.number() == int(0x80004005) ? "The Mappa Table doesn't have the right fields."
                                                  : e.description(),
                    ctl::MsgIcon::Critical);
    }
}

}  // namespace karvex
