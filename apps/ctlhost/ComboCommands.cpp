#include "apps/ctlhost/ComboCommands.h"

#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/ScriptHost.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Screen.h"

namespace ctlhost {

void AddComboCommands(ScriptHost& host) {
    host.addCommand("moveform", [&host](const ctl::Json& cmd) {
        int left = Int(cmd, 1, "LEFT"), top = Int(cmd, 2, "TOP");
        ctl::Form& form = host.form();
        form.setLeft(left);
        form.setTop(top);
        ctl::DoEvents();
        // Where it landed, and the screen it lies on, so a script can aim at an edge.
        host.emit(ctl::Json::object(
            {{"result", ctl::Json::object({
                            {"left", ctl::Json::number(form.Left())},
                            {"top", ctl::Json::number(form.Top())},
                            {"screenWidth", ctl::Json::number(ctl::Screen::WidthTwips())},
                            {"screenHeight", ctl::Json::number(ctl::Screen::HeightTwips())},
                        })}}));
    });
}

}  // namespace ctlhost
