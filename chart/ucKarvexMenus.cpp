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

}  // namespace karvex
