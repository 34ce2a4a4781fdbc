#include "apps/ctlhost/ToolCommands.h"

#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/ScriptHost.h"
#include "apps/ctlhost/ValueJson.h"

namespace ctlhost {

void RegisterToolCommands(ScriptHost& host) {
    host.addCommand("tool", [&host](const ctl::Json& cmd) {
        const std::string name = Text(cmd, 1, "NAME");
        ctl::Args args, results;
        for (size_t i = 2; i < cmd.items.size(); ++i) args.push_back(ToVariant(cmd.items[i]));
        if (!host.control().RunTool(name, args, results))
            Raise(438, "The control has no procedure named " + name);
        ctl::Json out = ctl::Json::array();
        for (const auto& v : results) out.items.push_back(FromVariant(v));
        host.emit(ctl::Json::object({{"result", out}}));
    });
}

}  // namespace ctlhost
