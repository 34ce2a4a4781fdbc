#include "chart/map/TrackRecorder.h"

#include <cmath>

#include "chart/map/TrackStore.h"
#include "platform/com/RaisedError.h"
#include "platform/controls/PictureBox.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"

namespace karvex {

namespace {
// The design's numbers: the square's half-width and the step threshold (surface twips), the
// colours of the point marks (0x00BBGGRR).
constexpr float kSquareHalf = 15;
constexpr float kStepThreshold = 30;
constexpr uint32_t kPointMark = 0x0000FF;  // red
constexpr uint32_t kStepMark = 0x00FFFF;   // yellow, colour 14 of the 16-colour palette

std::string ProceedQuestion(TrackRecorder::Mode mode) {
    if (mode == TrackRecorder::Mode::ByStep)
        return "The following procedure allows to create one Track by STEP. Draw one single line "
               "(continue or not, circle closing or not) through the mouse, then close the new "
               "Track with the corresponding menu command.\r\rDo you want to proceed ?";
    return "The following procedure allows to create one Track by POINTS. Set all points one by "
           "one through the mouse click, then close the new Track with the corresponding menu "
           "command.\r\rDo you want to proceed ?";
}
}  // namespace

TrackRecorder::TrackRecorder(TrackStore& store, ctl::PictureBox& surface)
    : store_(store), surface_(surface) {}

bool TrackRecorder::Start(Mode mode, const std::string& caption) {
    if (mode == Mode::Idle) return false;
    if (ctl::MsgBox(ProceedQuestion(mode), ctl::MsgIcon::Question, ctl::MsgButtons::YesNo, 1,
                    caption) != ctl::vbYes)
        return false;
    if (store_.NewTrackOpen()) {
        const int keep = ctl::MsgBox(
            "A new Track is still open and not saved.\r\rDo you want to save it before to proceed "
            "?",
            ctl::MsgIcon::Question, ctl::MsgButtons::YesNo);
        if (keep == ctl::vbYes)
            store_.CommitNewTrack();
        else
            store_.RollBackNewTrack();
        mode_ = Mode::Idle;
    }
    const std::string name = ctl::Trim(
        ctl::Prompts().InputBox({"Choose the new Track name.", "", ""}).value_or(std::string()));
    if (name.empty()) return false;
    store_.StartNewBranch(name);
    mode_ = mode;
    return true;
}

namespace {
// A point whose coordinates are no finite single-precision numbers (a position beyond the
// single range arrives as infinity) is refused before anything is drawn or stored: it could
// never be played back.
void RequireFinite(float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) ctl::Raise(ctl::errOverflow);
}
}  // namespace

void TrackRecorder::Release(float x, float y) {
    if (mode_ == Mode::Idle) return;
    RequireFinite(x, y);
    if (mode_ == Mode::ByStep) surface_.setDrawWidth(1);
    surface_.Line(x - kSquareHalf, y - kSquareHalf, x + kSquareHalf, y + kSquareHalf,
                  mode_ == Mode::ByStep ? kStepMark : kPointMark, true);
    store_.StorePoint(x, y);
    if (mode_ == Mode::ByStep) {
        lastStepX_ = x;
        lastStepY_ = y;
    }
}

bool TrackRecorder::StepAdmits(float lastX, float lastY, float x, float y) {
    const float right = lastX + kStepThreshold, below = lastY + kStepThreshold;
    return !(x > right && y > below);
}

bool TrackRecorder::Move(float x, float y, uint32_t color) {
    if (mode_ != Mode::ByStep) return false;
    RequireFinite(x, y);
    if (!StepAdmits(lastStepX_, lastStepY_, x, y)) return false;
    surface_.Line(lastStepX_, lastStepY_, x, y, color);
    store_.StorePoint(x, y);
    lastStepX_ = x;
    lastStepY_ = y;
    return true;
}

int64_t TrackRecorder::Commit() {
    const int64_t stored = store_.NewTrackOpen() ? store_.CommitNewTrack() : 0;
    mode_ = Mode::Idle;
    return stored;
}

}  // namespace karvex
