// Replaying a stored track: choose it, count its branches, load and draw each in turn. A
// second request while a replay runs pauses or resumes it.
#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"
#include "platform/sys/EventLoop.h"

namespace karvex {

bool ucKarvex::PlayTrack(bool askName) {
    m_FlagExit = false;
    if (m_PlaybackRunning) {
        if (m_PlaybackPaused) {
            SetPlaybackCaption("Abort drawing in progress");
            m_PlaybackPaused = false;
        } else {
            SetPlaybackCaption("Resume drawing in progress");
            m_PlaybackPaused = true;
        }
        return false;
    }
    if (askName) {
        m_PrevTrackName = m_TrackName;
        m_TrackName = ChooseTrack("Choose the Track");
    } else if (m_TrackName.empty()) {
        m_TrackName = ChooseTrack("Choose the Track");
        m_PrevTrackName = m_TrackName;
    }
    if (m_TrackName.empty()) return false;

    bool result = false;
    for (;;) {
        m_PlaybackBranches = CountBranches();
        for (m_PlaybackBranch = 1; m_PlaybackBranch <= m_PlaybackBranches; ++m_PlaybackBranch) {
            if (!LoadBranch(m_PlaybackBranch)) continue;  // its reason is in ControlError
            ctl::Args cancel{ctl::Variant(false)};
            RaiseEvent("StartDrawing", cancel);
            ctl::DoEvents();
            if (cancel[0].toBool()) break;
            result = DrawTrackArrays();
            if (m_FlagExit) break;
            if (m_PlaybackBranch == INT16_MAX) break;
        }
        // A new background picture stopped this playback: the track is played again over it
        // (drawn afresh, as a track drawn a second time is).
        if (!m_ReplayPending) break;
        m_ReplayPending = false;
        m_FlagExit = false;
        m_PrevTrackName = m_TrackName;
    }
    if (m_CancelPending) {
        // The user's cancel has stopped the playback: FlagExit has done its work, and the
        // control goes on following its container (a resize while it was set was skipped).
        m_CancelPending = false;
        m_FlagExit = false;
        Resize();
    }
    Library().LastDrawingSucceeded = result;
    return result;
}

}  // namespace karvex
