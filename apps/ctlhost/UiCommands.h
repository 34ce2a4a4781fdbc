#pragma once
#include <string>

#include "platform/forms/Widget.h"

namespace ctlhost {

class ScriptHost;

// Commands that drive dialogs and child windows by their design names: "ondialog" (commands
// run when a form is shown, inside its modal loop) and "ui" (act on a child window or read its
// state). Beeps are reported as {"beep": true}.
void RegisterUiCommands(ScriptHost& host);

// "FORM.CONTROL": a child of an open form (the form itself when CONTROL is empty); a name
// without a dot: a child of the current control, else an open form of that name. Raises 5 when
// there is none.
ctl::Widget& FindTarget(ScriptHost& host, const std::string& path);

}  // namespace ctlhost
