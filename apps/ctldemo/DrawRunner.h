#pragma once
// Runs a chart's animated drawing with pause, resume and stop buttons in mind. The chart lets
// events run between its drawing steps, so a button's handler runs inside the drawing: pause
// holds it there in a nested event loop until resume or stop; stop sets the chart's FlagExit,
// which ends every drawing loop at its next check.
#include <QEventLoop>
#include <functional>

class KarvexChart;

namespace demo {

class DrawRunner {
  public:
    explicit DrawRunner(KarvexChart& chart) : chart_(chart) {}

    bool running() const { return running_; }
    bool paused() const { return pauseLoop_ != nullptr; }
    // Whether the last drawing was ended by stop(). The chart reports a stopped drawing as a
    // success (and has wiped its picture), so callers ask here.
    bool stopped() const { return stopped_; }
    // Runs one drawing call (Draw, DrawTrack) with FlagExit cleared before and after; false
    // when another drawing is running or the call raised (its text in lastError()).
    bool run(const std::function<bool()>& drawing);
    const QString& lastError() const { return lastError_; }
    // Holds the running drawing until resume() or stop(); nothing when none runs.
    void pause();
    void resume();
    void stop();
    // Called whenever running or paused changes (to enable buttons).
    std::function<void()> onStateChanged;

  private:
    KarvexChart& chart_;
    bool running_ = false;
    bool stopped_ = false;
    QEventLoop* pauseLoop_ = nullptr;
    QString lastError_;
    void changed() {
        if (onStateChanged) onStateChanged();
    }
};

}  // namespace demo
