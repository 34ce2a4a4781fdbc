#pragma once
// Window handles, message handlers that can be replaced and chained, the per-window user-data
// slot, the topmost band and the small window queries the controls need.
#include <cstdint>
#include <functional>

namespace ctl {

class Widget;

// Messages and system commands the controls use.
constexpr uint32_t WM_SYSCOMMAND = 274;
constexpr int32_t SC_SIZE = 0xF000;
constexpr int32_t SC_MOVE = 0xF010;
constexpr int32_t SC_MINIMIZE = 0xF020;
constexpr int32_t SC_MAXIMIZE = 0xF030;
constexpr int32_t SC_CLOSE = 0xF060;
constexpr int32_t SC_RESTORE = 0xF120;

// A message handler of a window. An empty handler stands for "none" (the value 0 of the
// window system).
using WindowProc =
    std::function<int32_t(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam)>;

// The platform window behind a handle; null for 0 or a window that is gone.
Widget* WindowFromHandle(int32_t hwnd);

// Installs `proc` as the window's message handler and returns the previous one (empty when the
// window is unknown, and then nothing is installed). A window starts with a handler that passes
// everything to the default handling.
WindowProc SetWindowProc(int32_t hwnd, WindowProc proc);
// Delivers a message to the window's current handler (0 for an unknown window).
int32_t SendMessage(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam);
// Calls a handler obtained from SetWindowProc; an empty one falls back to the default handling.
int32_t CallWindowProc(const WindowProc& proc, int32_t hwnd, uint32_t msg, int32_t wParam,
                       int32_t lParam);
// The default handling: system commands restore, minimise, maximise or close the window;
// other messages are answered with 0.
int32_t DefWindowProc(int32_t hwnd, uint32_t msg, int32_t wParam, int32_t lParam);
// Sees every message that reaches the default handling (hosts and tests observe it); null
// removes the observer.
void SetDefaultHandlingObserver(WindowProc observer);

// The per-window user-data slot: a non-owning pointer. Setting returns the previous value.
void* SetWindowUserData(int32_t hwnd, void* data);
void* GetWindowUserData(int32_t hwnd);

// Puts a top-level window into the topmost band or takes it out, keeping its position, size
// and visibility. Child windows are raised among their siblings instead.
void SetWindowTopmost(int32_t hwnd, bool on);
bool IsWindowTopmost(int32_t hwnd);

bool IsWindowVisible(int32_t hwnd);
// The nearest enclosing platform window (0 for a top-level window or an unknown one).
int32_t GetParentWindow(int32_t hwnd);
// The top-level window that holds the window (itself when it is top-level; 0 if unknown).
int32_t GetTopLevelWindow(int32_t hwnd);
// The desktop as an owner window: 0, "no owner".
inline int32_t GetDesktopWindow() {
    return 0;
}

// The standard sound of the window system for an icon kind (64 information, 48 exclamation,
// 16 critical, 32 question); counted like the plain beep.
void MessageBeep(int32_t kind);

}  // namespace ctl
