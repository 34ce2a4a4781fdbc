#pragma once
// ctlhost commands that read back what a control printed on its drawing surface.

namespace ctlhost {

class ScriptHost;

// ["printed"] -> {"result": [{"text": T, "x": X, "y": Y}, ...]}: the texts printed on the
// current control's surface since it was last cleared, in printing order, positions in twips.
void AddPrintedCommands(ScriptHost& host);

}  // namespace ctlhost
