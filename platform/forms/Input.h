#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// Real toolkit input events delivered to a window, positions in twips of its client area.
// Kinds: "down", "up", "move", "dblclick" for the mouse; "down", "up", "press" for keys
// ("press" is a key down followed by its release). Returns false for an unknown kind.
bool SimulateMouse(Widget& target, const std::string& kind, int button, int shift, float x,
                   float y);
bool SimulateKey(Widget& target, const std::string& kind, int keyCode, int shift);
// Types one character (a Unicode code point) as the keyboard would: key down with its text,
// then key up.
void SimulateChar(Widget& target, char32_t ch);

// Renders a window with its children to a PNG file.
bool SaveWindowPng(Widget& window, const std::string& path);

}  // namespace ctl
