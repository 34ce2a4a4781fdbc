#include "platform/win/WindowSystem.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>
#include <map>

#include "platform/forms/Widget.h"
#include "platform/forms/WindowHandles.h"
#include "platform/sys/EventLoop.h"
#include "platform/win/WindowRecordImpl.h"

namespace ctl {

namespace {
std::map<int32_t, WindowRecord>& Records() {
    static std::map<int32_t, WindowRecord> records;
    return records;
}
WindowProc& Observer() {
    static WindowProc observer;
    return observer;
}
QWidget* WidgetOf(int32_t hwnd) {
    Widget* w = WindowFromHandle(hwnd);
    return w ? w->qwidget() : nullptr;
}
int32_t HandleOf(QWidget* w) {
    return w ? w->property("ctlHandle").toInt() : 0;
}
}  // namespace

Widget* WindowFromHandle(int32_t hwnd) {
    if (hwnd == 0 || !QApplication::instance()) return nullptr;
    auto it = Records().find(hwnd);
    if (it != Records().end() && it->second.widget) return Widget::FromQWidget(it->second.widget);
    return WidgetFromHandle(hwnd);
}

WindowRecord* RecordOf(int32_t hwnd) {
    auto it = Records().find(hwnd);
    if (it != Records().end()) return &it->second;
    Widget* w = WindowFromHandle(hwnd);
    if (!w || !w->qwidget()) return nullptr;
    WindowRecord& r = Records()[hwnd];
    r.widget = w->qwidget();
    r.proc = DefWindowProc;
    // The record goes with its window, so a handle never reaches a stale handler.
    QObject::connect(r.widget, &QObject::destroyed, [hwnd] { Records().erase(hwnd); });
    return &r;
}

WindowProc SetWindowProc(int32_t hwnd, WindowProc proc) {
    WindowRecord* r = RecordOf(hwnd);
    if (!r) return {};
    WindowProc previous = std::move(r->proc);
    r->proc = std::move(proc);
    return previous;
}

int32_t SendMessage(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam) {
    WindowRecord* r = RecordOf(hwnd);
    if (!r) return 0;
    WindowProc proc = r->proc;  // a handler may replace itself while it runs
    return CallWindowProc(proc, hwnd, msg, wParam, lParam);
}

int32_t CallWindowProc(const WindowProc& proc, int32_t hwnd, uint32_t msg, int32_t wParam,
                       int32_t lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
}

int32_t DefWindowProc(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam) {
    if (Observer()) {
        WindowProc observer = Observer();
        observer(hwnd, msg, wParam, lParam);
    }
    if (msg != WM_SYSCOMMAND) return 0;
    QWidget* w = WidgetOf(hwnd);
    if (!w || !w->isWindow()) return 0;
    // The low four bits of a system command are the window system's own.
    switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            w->close();
            break;
        case SC_MINIMIZE:
            w->showMinimized();
            break;
        case SC_MAXIMIZE:
            w->showMaximized();
            break;
        case SC_RESTORE:
            w->showNormal();
            break;
        default:
            break;  // moving and sizing are left to the user's pointer
    }
    return 0;
}

void SetDefaultHandlingObserver(WindowProc observer) {
    Observer() = std::move(observer);
}

void* SetWindowUserData(int32_t hwnd, void* data) {
    WindowRecord* r = RecordOf(hwnd);
    if (!r) return nullptr;
    void* previous = r->userData;
    r->userData = data;
    return previous;
}

void* GetWindowUserData(int32_t hwnd) {
    WindowRecord* r = RecordOf(hwnd);
    return r ? r->userData : nullptr;
}

void SetWindowTopmost(int32_t hwnd, bool on) {
    QWidget* w = WidgetOf(hwnd);
    if (!w) return;
    if (!w->isWindow()) {
        if (on) w->raise();
        return;
    }
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    // Changing a window's flags hides it; show it again where it was, at its size.
    const QRect where = w->geometry();
    const bool shown = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    w->setGeometry(where);
    if (shown) w->show();
}

bool IsWindowTopmost(int32_t hwnd) {
    QWidget* w = WidgetOf(hwnd);
    return w && w->isWindow() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool IsWindowVisible(int32_t hwnd) {
    QWidget* w = WidgetOf(hwnd);
    return w && w->isVisible();
}

int32_t GetParentWindow(int32_t hwnd) {
    QWidget* w = WidgetOf(hwnd);
    if (!w || w->isWindow()) return 0;
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (int32_t h = HandleOf(p)) return h;
    return 0;
}

int32_t GetTopLevelWindow(int32_t hwnd) {
    QWidget* w = WidgetOf(hwnd);
    if (!w) return 0;
    for (QWidget* p = w; p; p = p->parentWidget())
        if (p->isWindow()) return HandleOf(p);
    return 0;
}

void MessageBeep(int32_t) {
    Beep();
}

}  // namespace ctl
