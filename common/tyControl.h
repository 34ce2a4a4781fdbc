#pragma once
#include <cstdint>

#include "platform/win/WindowSystem.h"

// One hooked host window: the chart control's own window, the form whose system menu it
// extends, and the form's previous message handler (empty while no hook is installed).
struct tyControl {
    int32_t hWnd = 0;
    int32_t Parent_hwnd = 0;
    ctl::WindowProc DefWndProc;
};
