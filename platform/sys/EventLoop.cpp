#include "platform/sys/EventLoop.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/sys/DateSerial.h"

namespace ctl {

namespace {
int g_argc = 1;
char g_arg0[] = "ctl";
char* g_argv[] = {g_arg0, nullptr};
int64_t g_beeps = 0;
int64_t g_lastYield = 0;
constexpr int64_t kSliceMs = 8;
constexpr unsigned kCallsPerClockRead = 16;
unsigned g_yieldCalls = 0;

void InstallFontSubstitutes() {
    // Faces the controls name by default, mapped to installed metric-compatible faces.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Microsoft Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Arial", "Liberation Sans");
    QFont::insertSubstitution("Tahoma", "DejaVu Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
}
}  // namespace

void EnsureApplication() {
    // An application of the host's own (a Qt program embedding controls) gets the same faces.
    static bool substituted = false;
    if (QCoreApplication::instance()) {
        if (!substituted) InstallFontSubstitutes();
        substituted = true;
        return;
    }
    substituted = true;
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // The toolkit wants a private runtime folder; give it one instead of a warning.
        std::string dir = "/tmp/ctl-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    new QApplication(g_argc, g_argv);
    InstallFontSubstitutes();
}

void DoEvents() {
    g_lastYield = Clock::MonotonicMs();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool YieldSlice() {
    // Loops call this after every step, often microseconds apart: the clock is read only on
    // every few calls, and events run only when a whole slice has passed.
    if (++g_yieldCalls % kCallsPerClockRead != 0) return false;
    int64_t now = Clock::MonotonicMs();
    if (now - g_lastYield < kSliceMs) return false;
    DoEvents();
    return true;
}

void ResetYieldSlice() {
    g_lastYield = 0;
    g_yieldCalls = kCallsPerClockRead - 1;  // the next call looks at the clock
}

void RestEvents(int ms) {
    DoEvents();
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(std::min(ms, 4)));
}

namespace {
std::function<void()>& BeepListener() {
    static std::function<void()> listener;
    return listener;
}
}  // namespace

void Beep() {
    ++g_beeps;
    QApplication::beep();
    if (auto listener = BeepListener()) listener();  // a copy: the listener may replace itself
}
void SetBeepListener(std::function<void()> listener) {
    BeepListener() = std::move(listener);
}
int64_t BeepCount() {
    return g_beeps;
}

struct Timer::Impl {
    QTimer timer;
};

Timer::Timer() : d_(std::make_unique<Impl>()) {
    QObject::connect(&d_->timer, &QTimer::timeout, [this] {
        if (onTimer) onTimer();
    });
}
Timer::~Timer() = default;
void Timer::setInterval(int ms) {
    d_->timer.setInterval(ms);
}
int Timer::Interval() const {
    return d_->timer.interval();
}
void Timer::setEnabled(bool on) {
    on ? d_->timer.start() : d_->timer.stop();
}
bool Timer::Enabled() const {
    return d_->timer.isActive();
}

void RunLater(int ms, std::function<void()> fn) {
    QTimer::singleShot(ms, std::move(fn));
}

}  // namespace ctl
