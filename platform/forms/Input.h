#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// Real toolkit input events delivered to a window, positions in twips of its client area.
// Kinds: "down", "up", "move", "dblclick" for the mouse; "down", "up", "press" for keys
// ("press" is a key down followed by its release). Returns false for an unknown kind. Lists
// take mouse positions in their rows' area, inside the border.
bool SimulateMouse(Widget& target, const std::string& kind, int button, int shift, float x,
                   float y);
bool SimulateKey(Widget& target, const std::string& kind, int keyCode, int shift);
// Types one character (a Unicode code point) as the keyboard would: key down with its text,
// then key up.
void SimulateChar(Widget& target, char32_t ch);

// Renders a window with its children to a PNG file (at most the surface limits in size).
// Raises the file error when the file cannot be written; an older file is then kept.
void SaveWindowPng(Widget& window, const std::string& path);
// Renders every shown top-level window at its place on the screen, cut to the area they cover
// together (at most the surface limits in size, from its top-left corner), to a PNG file.
// Raises as SaveWindowPng does, and 75 when no window is shown.
void SaveScreenPng(const std::string& path);

}  // namespace ctl
