#pragma once
// What the window system keeps per platform window (private to the platform).
#include <string>
#include <vector>

#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

class QWidget;

namespace ctl {

struct WindowRecord {
    QWidget* widget = nullptr;
    WindowProc proc;  // the current message handler
    void* userData = nullptr;
    std::vector<SysMenuItem> systemMenu;  // filled with the default items on first use
    bool systemMenuReady = false;
};

// The record of a live platform window, made on first use; null for 0 or an unknown handle.
WindowRecord* RecordOf(int32_t hwnd);

}  // namespace ctl
