#pragma once
// ctlhost commands for controls that open windows of their own beside the host's form.

namespace ctlhost {

class ScriptHost;

// ["moveform", LEFT, TOP]: places the form that holds the current control on the screen, in
// twips, so that a drop-down list meets the screen's edges. Answers where the form landed and
// the screen's size: {"result": {"left", "top", "screenWidth", "screenHeight"}}.
void AddComboCommands(ScriptHost& host);

}  // namespace ctlhost
