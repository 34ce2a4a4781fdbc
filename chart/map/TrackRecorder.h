#pragma once
// Drawing a new track with the mouse. States: idle; by step or by points with nothing stored;
// open (the first point began the store's transaction); back to idle on commit. The recorder
// asks the starting questions, marks the surface and hands each admitted point to the store;
// the control forwards the surface's events and keeps the menus and its events.
#include <cstdint>
#include <string>

namespace ctl {
class PictureBox;
}

namespace karvex {

class TrackStore;

class TrackRecorder {
  public:
    enum class Mode { Idle, ByStep, ByPoints };

    TrackRecorder(TrackStore& store, ctl::PictureBox& surface);

    Mode mode() const { return mode_; }
    bool DrawByStep() const { return mode_ == Mode::ByStep; }
    bool DrawByPoints() const { return mode_ == Mode::ByPoints; }
    float LastStepX() const { return lastStepX_; }
    float LastStepY() const { return lastStepY_; }

    // Asks whether to proceed (titled `caption`), settles an open new track, asks for the name
    // and opens the store side of the new branch. False when the user stops it: no mode is set
    // then. The store's failures are raised.
    bool Start(Mode mode, const std::string& caption);

    // A left-button release at (x, y): by points a red square, by step a yellow one drawn one
    // pixel wide; then the point is stored. Idle: nothing. The store's failures are raised
    // (the mark stays; a step's last point is not moved). A coordinate that is no finite
    // number raises errOverflow before anything is drawn or stored (also for Move).
    void Release(float x, float y);

    // A move with the left button held, by step: records (x, y) unless the step admission
    // refuses it, joining it to the last point in `color`. True when a point was stored.
    bool Move(float x, float y, uint32_t color);

    // Whether a move by step records: every move except one more than 30 units both to the
    // right of and below the last point (sums rounded to single precision first).
    static bool StepAdmits(float lastX, float lastY, float x, float y);

    // Leaves the drawing mode; commits an open new track first. Returns how many points the
    // commit stored (0: no track was stored). A commit that fails keeps the mode and the track.
    int64_t Commit();

  private:
    TrackStore& store_;
    ctl::PictureBox& surface_;
    Mode mode_ = Mode::Idle;
    float lastStepX_ = 0, lastStepY_ = 0;
};

}  // namespace karvex
