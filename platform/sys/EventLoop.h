#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace ctl {

// Starts the toolkit's application object if the process has none (hosts and tests call it
// first). Headless when there is no display.
void EnsureApplication();

// Runs all pending events now.
void DoEvents();

// For long loops: runs pending events only when a time slice (a few ms) has passed since the
// last run, so a loop of microsecond steps is not slowed down by event processing. True when
// events ran: whatever they may have changed is to be looked at again.
bool YieldSlice();
// Forces the next YieldSlice to run events (e.g. at the start of a loop).
void ResetYieldSlice();

// Runs pending events, then rests up to `ms` milliseconds (at most a few) so that waiting
// loops (a pause, a delay between drawing steps) do not spin a core.
void RestEvents(int ms);

// The standard beep; counted so tests and hosts can observe it.
void Beep();
int64_t BeepCount();
// Told of every beep (a script host reports them); null to stop.
void SetBeepListener(std::function<void()> listener);

// A timer of the window system on the UI thread.
class Timer {
  public:
    Timer();
    ~Timer();
    void setInterval(int ms);
    int Interval() const;
    void setEnabled(bool on);
    bool Enabled() const;
    std::function<void()> onTimer;

    struct Impl;

  private:
    std::unique_ptr<Impl> d_;
};

// Runs fn once after ms milliseconds on the UI thread (used by script hosts).
void RunLater(int ms, std::function<void()> fn);

}  // namespace ctl
