// The "accessible" command: what a screen reader meets on a control, read back through the
// same accessible objects assistive technology uses.
#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/ScriptHost.h"
#include "apps/ctlhost/UiCommands.h"
#include "platform/forms/AccessibleTree.h"

namespace ctlhost {

namespace {

// A control of the script ("NAME", or "FORM.NAME" on that form), else a window as "ui" finds
// it (a child of the current control, or "FORM.CONTROL" on an open form or dialog).
ctl::Widget& Target(ScriptHost& host, const std::string& path) {
    const size_t dot = path.find('.');
    const std::string form = dot == std::string::npos ? "" : path.substr(0, dot);
    const std::string name = dot == std::string::npos ? path : path.substr(dot + 1);
    if (ctl::UserControl* c = host.findControl(name, form)) return *c;
    return FindTarget(host, path);
}

void Install(ScriptHost& host) {
    // ["accessible"] or ["accessible", "FORM.CONTROL"] -> {"result": TREE}
    host.addCommand("accessible", [&host](const ctl::Json& cmd) {
        ctl::Widget& w =
            cmd.items.size() > 1 ? Target(host, Text(cmd, 1, "FORM.CONTROL")) : host.control();
        host.emit(ctl::Json::object({{"result", ctl::AccessibleTree(w)}}));
    });
}

CommandFile accessibleCommands(Install);

}  // namespace

}  // namespace ctlhost
