// The commands of map mode that draw: starting a new track by step or by points, committing
// it, and cancelling a playback. The recorder keeps the drawing's state; the control keeps the
// menus, ControlError and what the user is told.
#include "chart/map/TrackStore.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

namespace karvex {

void ucKarvex::mnuLineDraw_Click() {
    StartDrawingCommand(TrackRecorder::Mode::ByStep, "mnuLineDraw");
}

void ucKarvex::mnuPointDraw_Click() {
    StartDrawingCommand(TrackRecorder::Mode::ByPoints, "mnuPointDraw");
}

void ucKarvex::StartDrawingCommand(TrackRecorder::Mode mode, const char* menuName) {
    try {
        const ChartMenuItem* item = menus_->Item(menuName);
        const std::string caption = item ? item->Caption : std::string();
        const bool wasDrawing = m_Recorder->mode() != TrackRecorder::Mode::Idle;
        if (m_Recorder->Start(mode, caption)) {
            if (!m_Store->QueryError().empty()) m_ControlError = m_Store->QueryError();
            if (m_EnableMenu) SetDrawingMenu(true);
        } else if (wasDrawing && m_Recorder->mode() == TrackRecorder::Mode::Idle && m_EnableMenu) {
            // The open track was settled, and no new one begun: the menus show no drawing.
            SetDrawingMenu(false);
        }
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        throw ctl::RaisedError(e.number(), e.description());
    }
}

void ucKarvex::SetDrawingMenu(bool drawing) {
    for (const char* name : {"mnuExec", "mnuLineDraw", "mnuPointDraw"})
        menus_->EnableCommand(name, !drawing);
    menus_->EnableCommand("mnuCommit", drawing);
}

void ucKarvex::mnuCommit_Click() {
    try {
        const std::string name = m_Store->NewTrackName();
        const int64_t tried = m_Store->PointsTried();
        const std::string lastError = m_Store->LastPointError();
        const int64_t stored = m_Recorder->Commit();
        if (stored > 0) {
            // The branch as numbered when its first point was stored (under the track's lock).
            std::string text = "New Track named  ''" + name + "''  (of the  " +
                               std::to_string(m_Store->NewBranch()) +
                               "° Branch) has been stored in DB.";
            if (stored < tried)
                text += "\r\r" + std::to_string(tried - stored) + " of its " +
                        std::to_string(tried) + " points could not be stored.";
            ctl::MsgBox(text, ctl::MsgIcon::Information);
            m_TrackName = name;
        } else if (tried > 0) {
            // Points were drawn, none was stored: no track exists to be named.
            const std::string text = "No point of the new Track  ''" + name +
                                     "''  could be stored: the Track has not been stored in DB." +
                                     (lastError.empty() ? "" : "\r\r" + lastError);
            m_ControlError = text;
            ctl::MsgBox(text, ctl::MsgIcon::Exclamation);
        }
        if (m_EnableMenu) SetDrawingMenu(false);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        // The track stays open (nothing is lost), but the user must know it is not stored.
        ctl::MsgBox(e.description() + "\r\rThe new Track is still open: commit it again later.",
                    ctl::MsgIcon::Critical);
    }
}

void ucKarvex::mnuCancel_Click() {
    const ChartMenuItem* item = menus_->Item("mnuCancel");
    if (!item || !item->Enabled || !m_PlaybackRunning) return;
    const int answer =
        ctl::MsgBox("Are you sure you want to cancel the current drawing ?", ctl::MsgIcon::Question,
                    ctl::MsgButtons::YesNo, 2, item->Caption);
    if (answer == ctl::vbYes) {
        CancelPlayback();
        m_CancelPending = true;
    }
}

void ucKarvex::CancelPlayback() {
    m_PlaybackRunning = m_PlaybackPaused = false;
    m_ReplayPending = false;
    if (m_MapStyle == 0) menus_->RefreshMapMenu();
    m_FlagExit = true;
    pic_main->Cls();
}

}  // namespace karvex
