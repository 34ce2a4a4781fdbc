// The "printed" command: labels and titles are pixels on the surface, so the host reads the
// texts back from the surface's own list of what it printed.
#include "apps/ctlhost/PrintedCommands.h"

#include "apps/ctlhost/ScriptHost.h"
#include "platform/com/RaisedError.h"
#include "platform/controls/PictureBox.h"

namespace ctlhost {

void AddPrintedCommands(ScriptHost& host) {
    host.addCommand("printed", [&host](const ctl::Json&) {
        ctl::PictureBox* surface = host.control().DrawingSurface();
        if (!surface)
            ctl::Raise(438, "This control has no drawing surface to read printed text from");
        ctl::Json list = ctl::Json::array();
        for (const ctl::PrintedText& t : surface->Printed())
            list.items.push_back(ctl::Json::object({{"text", ctl::Json::string(t.text)},
                                                    {"x", ctl::Json::number(t.x)},
                                                    {"y", ctl::Json::number(t.y)}}));
        host.emit(ctl::Json::object({{"result", list}}));
    });
}

}  // namespace ctlhost
