#pragma once

namespace ctlhost {

class ScriptHost;

// Commands that drive dialogs and child windows by their design names: "ondialog" (commands
// run when a form is shown, inside its modal loop) and "ui" (act on a child window or read its
// state). Beeps are reported as {"beep": true}.
void RegisterUiCommands(ScriptHost& host);

}  // namespace ctlhost
