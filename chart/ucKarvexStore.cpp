// The control's side of the track store: opening it, the procedures the commands use, the
// chooser, and the end of a new track at termination. Failures become ControlError texts and
// message boxes here; the store itself only raises.
#include "chart/KarvexState.h"
#include "chart/map/TrackStore.h"
#include "chart/map/frmList.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"

namespace karvex {

bool ucKarvex::NewTrackOpen() const {
    return m_Store->NewTrackOpen();
}

void ucKarvex::OpenTrackStore() {
    try {
        m_Store->Open(m_AppFolder);
        m_DbUnusable = false;
    } catch (const ctl::RaisedError& e) {
        m_DbUnusable = true;
        if (m_MapStyle == 0) DisableMapMenu();
        ctl::MsgBox(e.description(), ctl::MsgIcon::Critical);
    }
}

void ucKarvex::CloseTrackStore() {
    m_Store->Close();
}

void ucKarvex::ResolveNewTrack() {
    const int answer = ctl::MsgBox(
        "A new Track is still open and not saved.\r\rDo you want to save it before to exit ?",
        ctl::MsgIcon::Question, ctl::MsgButtons::YesNo);
    if (answer != ctl::vbYes) {
        m_Store->RollBackNewTrack();
        return;
    }
    // The user asked to keep the track: a commit that fails (another program holds the store)
    // is said, and may be tried again, before the track is given up.
    for (;;) {
        try {
            m_Store->CommitNewTrack();
            return;
        } catch (const ctl::RaisedError& e) {
            m_ControlError = e.description();
            if (ctl::MsgBox(e.description() + "\r\rThe new Track has not been stored.",
                            ctl::MsgIcon::Critical, ctl::MsgButtons::RetryCancel) != ctl::vbRetry)
                throw;
        }
    }
}

int32_t ucKarvex::CountTracks() {
    try {
        return m_Store->CountTracks();
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        return 0;
    }
}

int16_t ucKarvex::CountBranches() {
    try {
        return m_Store->CountBranches(m_TrackName);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        return 0;
    }
}

bool ucKarvex::LoadBranch(int16_t branch) {
    try {
        ctl::ResetYieldSlice();
        m_Store->LoadBranch(m_TrackName, branch, m_TrackX, m_TrackY, [this] {
            ctl::YieldSlice();
            return !m_FlagExit;
        });
        return true;
    } catch (const ctl::RaisedError& e) {
        m_PlaybackRunning = m_PlaybackPaused = false;
        m_ControlError = e.description();
        if (m_MapStyle == 1) m_ControlError += "\r\rTo execute a track drawing set 'MapStyle' = 0";
        return false;
    }
}

bool ucKarvex::DeleteTrack() {
    try {
        m_Store->DeleteTrack(m_TrackName);
        return true;
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        return false;
    }
}

std::string ucKarvex::ChooseTrack(const std::string& title) {
    try {
        const std::vector<std::string> names = m_Store->ListTrackNames();
        std::shared_ptr<frmList> chooser = TrackChooser();
        chooser->Load();
        for (const auto& name : names) chooser->lstTratto->AddItem(name);
        if (names.empty()) {
            ctl::MsgBox("No Track available.", ctl::MsgIcon::Information);
            return {};
        }
        chooser->form->setCaption(title);
        const std::string mode = ctl::EqualsNoCase(title, "Available Tracks") ? "View" : "Exec";
        chooser->setTag(mode);
        // The dialog is always waited for, also while the form is kept on top: the commands
        // that ask go on with the name the user picks, not with the previous one.
        ctl::Prompts().Choose({title, names, mode, chooser.get()});
        return chooser->TrackName();
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        return {};
    }
}

}  // namespace karvex
