// ctlhost commands of the window system: system commands through a form's handler chain, the
// form's system menu and topmost state, answers to pop-up menus (every pop-up shown is
// reported), a snapshot with the last pop-up drawn where it was shown, and shell opens reported
// instead of starting other programs.
#include <memory>
#include <optional>

#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/ScriptHost.h"
#include "platform/forms/Input.h"
#include "platform/forms/PopupMenu.h"
#include "platform/win/Shell.h"
#include "platform/win/SystemMenu.h"
#include "platform/win/WindowSystem.h"

namespace ctlhost {

namespace {
using ctl::Json;

// The last pop-up menu shown, for a snapshot of it over the control.
struct LastPopup {
    std::vector<ctl::MenuEntry> entries;
    int x = 0, y = 0;
    bool shown = false;
};

Json EntriesJson(const std::vector<ctl::MenuEntry>& entries) {
    Json list = Json::array();
    for (const auto& e : entries)
        list.items.push_back(Json::object({{"caption", Json::string(e.caption)},
                                           {"enabled", Json::boolean(e.enabled)},
                                           {"checked", Json::boolean(e.checked)},
                                           {"default", Json::boolean(e.isDefault)},
                                           {"separator", Json::boolean(e.separator)}}));
    return list;
}

void Install(ScriptHost& host) {
    auto presenter = std::make_shared<ctl::ScriptedMenuPresenter>();
    auto last = std::make_shared<LastPopup>();
    presenter->onPopup = [&host, last](const std::vector<ctl::MenuEntry>& entries, int chosen,
                                       int x, int y) {
        *last = {entries, x, y, true};
        Json j = Json::object({{"popup", EntriesJson(entries)}});
        j.set("chosen", chosen >= 0 ? Json::string(entries[size_t(chosen)].caption) : Json());
        host.emit(j);
    };
    ctl::SetMenuPresenter(presenter);
    ctl::SetShellHandler([&host](const std::string& target) {
        host.emit(Json::object({{"shell", Json::string(target)}}));
        return ctl::SE_OPENED;
    });

    host.addCommand("popup", [presenter](const Json& cmd) {
        const Json& v = Arg(cmd, 1, "CAPTION");
        if (v.kind == Json::Null)
            presenter->queueChoice(std::nullopt);
        else
            presenter->queueChoice(Text(cmd, 1, "CAPTION"));
    });
    host.addCommand("syscommand", [&host](const Json& cmd) {
        const int id = Int(cmd, 1, "ID");
        ctl::SendMessage(host.form().hWnd(), ctl::WM_SYSCOMMAND, id, 0);
    });
    host.addCommand("sysmenu", [&host](const Json&) {
        Json list = Json::array();
        for (const ctl::SysMenuItem& i : ctl::SystemMenuItems(host.form().hWnd()))
            list.items.push_back(Json::object({{"id", Json::number(i.id)},
                                               {"text", Json::string(i.text)},
                                               {"enabled", Json::boolean(i.enabled())},
                                               {"checked", Json::boolean(i.checked())},
                                               {"separator", Json::boolean(i.separator)}}));
        host.emit(Json::object({{"result", list}}));
    });
    host.addCommand("topmost", [&host](const Json&) {
        host.emit(
            Json::object({{"result", Json::boolean(ctl::IsWindowTopmost(host.form().hWnd()))}}));
    });
    host.addCommand("snapshotpopup", [&host, last](const Json& cmd) {
        const std::string file = Text(cmd, 1, "FILE");
        ctl::UserControl& c = host.control();
        if (!last->shown) Raise(5, "No pop-up menu has been shown");
        if (!ctl::SaveWindowPngWithMenu(c, last->entries, last->x, last->y, file))
            Raise(75, "Path/File access error: " + file);
        host.emit(Json::object({{"result", Json::string(file)}}));
    });
}

CommandFile menuCommands(Install);
}  // namespace

}  // namespace ctlhost
