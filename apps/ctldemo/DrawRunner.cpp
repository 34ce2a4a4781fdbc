#include "DrawRunner.h"

#include "platform/embed/ControlWidget.h"

namespace demo {

bool DrawRunner::run(const std::function<bool()>& drawing) {
    if (running_) return false;
    lastError_.clear();
    running_ = true;
    stopped_ = false;
    changed();
    bool ok = false;
    try {
        chart_.set("FlagExit", false);
        ok = drawing();
    } catch (const ctl::RaisedError& e) {
        lastError_ = QString::fromStdString(e.description());
    }
    running_ = false;
    if (pauseLoop_) pauseLoop_->quit();
    try {
        chart_.set("FlagExit", false);  // the next drawing must not stop at once
    } catch (const ctl::RaisedError&) {
    }
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
    try {
        chart_.set("FlagExit", true);
    } catch (const ctl::RaisedError&) {
    }
    if (pauseLoop_) pauseLoop_->quit();
}

}  // namespace demo
