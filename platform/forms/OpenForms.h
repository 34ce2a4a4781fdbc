#pragma once
#include <functional>
#include <string>

#include "platform/forms/Widget.h"

namespace ctl {

// The top-level windows of the process by their design name ("frmUnit", "Window"), for script
// hosts and tests that drive dialogs.

// A shown window of that name (case ignored) first, else a hidden one; null when none exists.
Widget* FindForm(const std::string& name);

// Told whenever a top-level window of the controls is shown (before a modal dialog's own loop
// starts). One listener at a time; null stops it.
void SetFormShownHook(std::function<void(Widget& form)> hook);

}  // namespace ctl
