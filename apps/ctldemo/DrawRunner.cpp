#include "DrawRunner.h"

#include "widgets/KarvexChart.h"

namespace demo {

bool DrawRunner::run(const std::function<bool()>& drawing) {
    if (running_) return false;
    lastError_.clear();
    running_ = true;
    stopped_ = false;
    changed();
    chart_.setFlagExit(false);
    chart_.clearLastError();
    const bool ok = drawing() && chart_.lastErrorNumber() == 0;
    if (chart_.lastErrorNumber() != 0) lastError_ = chart_.lastErrorDescription();
    running_ = false;
    if (pauseLoop_) pauseLoop_->quit();
    chart_.setFlagExit(false);  // the next drawing must not stop at once
    changed();
    return ok;
}

void DrawRunner::pause() {
    if (!running_ || pauseLoop_) return;
    QEventLoop loop;
    pauseLoop_ = &loop;
    changed();
    loop.exec();
    pauseLoop_ = nullptr;
    changed();
}

void DrawRunner::resume() {
    if (pauseLoop_) pauseLoop_->quit();
}

void DrawRunner::stop() {
    if (!running_) return;
    stopped_ = true;
    chart_.setFlagExit(true);
    if (pauseLoop_) pauseLoop_->quit();
}

}  // namespace demo
