#include "apps/ctlhost/UiCommands.h"

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/ScriptHost.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/SpinBar.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/DialogForm.h"
#include "platform/forms/Input.h"
#include "platform/forms/OpenForms.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Text.h"

namespace ctlhost {

using namespace ctl;

namespace {

// Code points of a UTF-8 text (a byte that starts no well-formed sequence stands for itself).
std::vector<char32_t> CodePoints(const std::string& s) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < s.size()) {
        auto c = static_cast<unsigned char>(s[i]);
        size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = c;
        if (extra > 0 && i + extra < s.size()) {
            cp = c & (0x3F >> extra);
            for (size_t k = 1; k <= extra; ++k)
                cp = cp << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        } else {
            extra = 0;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

// Commands queued per form name, and forms shown whose commands wait for their turn.
class DialogDriver : public std::enable_shared_from_this<DialogDriver> {
  public:
    explicit DialogDriver(ScriptHost& host) : host_(host) {}

    void queue(const std::string& form, std::vector<Json> cmds) {
        queued_.push_back({FoldCase(form), std::move(cmds)});
    }

    // A form was shown: its first queued batch runs as soon as events run (inside a modal
    // loop) or when the running command returns, whichever comes first.
    void shown(Widget& form) {
        auto task = std::make_shared<Task>();
        task->form = form.Name();
        std::string key = FoldCase(task->form);
        for (auto it = queued_.begin(); it != queued_.end(); ++it)
            if (it->first == key) {
                task->cmds = std::move(it->second);
                queued_.erase(it);
                break;
            }
        // A plain form with no commands waiting for it needs no turn: only dialogs can be left
        // open for someone to close (and a script's forms may number thousands).
        if (task->cmds.empty() && !dynamic_cast<DialogForm*>(&form)) return;
        pending_.push_back(task);
        RunLater(0, [self = shared_from_this(), task] { self->run(task); });
    }

    void runPending() {
        auto tasks = std::move(pending_);
        pending_.clear();
        for (auto& t : tasks) run(t);
    }

  private:
    struct Task {
        std::string form;
        std::vector<Json> cmds;
        bool done = false;
    };

    void run(const std::shared_ptr<Task>& task) {
        if (task->done) return;
        task->done = true;
        for (const auto& c : task->cmds) host_.execute(c);
        // A dialog someone waits for cannot be closed by later script lines (the host reads
        // them only after the call returns): close it rather than hang.
        auto* dialog = dynamic_cast<DialogForm*>(FindForm(task->form));
        if (dialog && dialog->IsShown() && dialog->Blocking()) {
            host_.emitError(5, task->form +
                                   " was still open after its ondialog commands; "
                                   "closed with its close command");
            dialog->CloseCommand();
        }
    }

    ScriptHost& host_;
    std::deque<std::pair<std::string, std::vector<Json>>> queued_;
    std::vector<std::shared_ptr<Task>> pending_;
};

}  // namespace

Widget& FindTarget(ScriptHost& host, const std::string& path) {
    size_t dot = path.find('.');
    if (dot == std::string::npos) {
        if (Widget* w = host.control().FindChild(path)) return *w;
        if (Widget* f = FindForm(path)) return *f;
        Raise(5, "The control has no child named " + path);
    }
    std::string formName = path.substr(0, dot), child = path.substr(dot + 1);
    Widget* form = FindForm(formName);
    if (!form) Raise(5, "No form named " + formName + " is open");
    if (child.empty()) return *form;
    Widget* w = form->FindChild(child);
    if (!w) Raise(5, "The form " + formName + " has no control named " + child);
    return *w;
}

namespace {

Json Color(uint32_t c) {
    return Json::number(double(c));
}

Json State(Widget& w) {
    Json j = Json::object();
    if (auto* t = dynamic_cast<TextBox*>(&w)) {
        j.set("text", Json::string(t->Text()));
        j.set("selStart", Json::number(t->SelStart()));
        j.set("selLength", Json::number(t->SelLength()));
        j.set("maxLength", Json::number(t->MaxLength()));
    }
    if (auto* l = dynamic_cast<Label*>(&w)) j.set("caption", Json::string(l->Caption()));
    if (auto* b = dynamic_cast<CommandButton*>(&w)) j.set("caption", Json::string(b->Caption()));
    if (auto* c = dynamic_cast<CheckBox*>(&w)) {
        j.set("caption", Json::string(c->Caption()));
        j.set("checked", Json::boolean(c->Value() != 0));
    }
    if (auto* d = dynamic_cast<DialogForm*>(&w)) j.set("caption", Json::string(d->Caption()));
    if (auto* f = dynamic_cast<Form*>(&w)) j.set("caption", Json::string(f->Caption()));
    if (auto* s = dynamic_cast<SpinBar*>(&w)) j.set("value", Json::number(s->Value()));
    if (auto* l = dynamic_cast<ListBox*>(&w)) {
        j.set("listIndex", Json::number(l->ListIndex()));
        j.set("topIndex", Json::number(l->TopIndex()));
        j.set("listCount", Json::number(l->ListCount()));
        j.set("scrollBar", Json::boolean(l->ScrollBarShown()));
    }
    j.set("enabled", Json::boolean(w.Enabled()));
    j.set("visible", Json::boolean(w.Visible()));
    j.set("focus", Json::boolean(w.HasFocus()));
    j.set("backColor", Color(w.PaintedBackColor()));
    j.set("foreColor", Color(w.ForeColor()));
    j.set("left", Json::number(w.Left()));
    j.set("top", Json::number(w.Top()));
    j.set("width", Json::number(w.Width()));
    j.set("height", Json::number(w.Height()));
    return j;
}

void Act(Widget& w, const std::string& action, const Json& cmd) {
    if (action == "click") {
        if (!w.Enabled()) Raise(5, "The control is disabled");
        auto* b = dynamic_cast<CommandButton*>(&w);
        auto* c = dynamic_cast<CheckBox*>(&w);
        if (b || c) {
            // The mouse puts the focus on a button before it is pressed: the field left
            // formats itself first, and may even close the window or disable the button.
            w.SetFocus();
            if (!w.WindowAlive() || !w.Enabled()) return;
            if (b)
                b->Click();
            else
                c->Click();
        } else {
            float x = float(w.Width()) / 2, y = float(w.Height()) / 2;
            SimulateMouse(w, "down", vbLeftButton, 0, x, y);
            if (w.WindowAlive()) SimulateMouse(w, "up", vbLeftButton, 0, x, y);
        }
    } else if (action == "settext") {
        std::string text = Text(cmd, 3, "TEXT");
        if (auto* t = dynamic_cast<TextBox*>(&w))
            t->setText(text);
        else if (auto* l = dynamic_cast<Label*>(&w))
            l->setCaption(text);
        else if (auto* b = dynamic_cast<CommandButton*>(&w))
            b->setCaption(text);
        else if (auto* c = dynamic_cast<CheckBox*>(&w))
            c->setCaption(text);
        else if (auto* d = dynamic_cast<DialogForm*>(&w))
            d->setCaption(text);
        else
            Raise(5, "The control has no text to set");
    } else if (action == "type") {
        for (char32_t ch : CodePoints(Text(cmd, 3, "TEXT"))) {
            if (!w.WindowAlive()) break;
            SimulateChar(w, ch);
        }
    } else if (action == "key") {
        if (!SimulateKey(w, "press", Int(cmd, 3, "CODE"),
                         cmd.items.size() > 4 ? Int(cmd, 4, "SHIFT") : 0))
            Raise(5, "The control has no window");
    } else if (action == "mouse") {
        if (!SimulateMouse(w, ToLower(Text(cmd, 3, "KIND")), Int(cmd, 4, "BUTTON"),
                           Int(cmd, 5, "SHIFT"), float(Number(cmd, 6, "X")),
                           float(Number(cmd, 7, "Y"))))
            Raise(5, "Unknown mouse action");
    } else if (action == "focus") {
        if (!w.Enabled() || !w.Visible()) Raise(5, "The control cannot take the focus");
        w.SetFocus();
    } else if (action == "select") {
        auto* t = dynamic_cast<TextBox*>(&w);
        if (!t) Raise(5, "Only text boxes have a selection");
        t->setSelStart(Int(cmd, 3, "START"));
        t->setSelLength(Int(cmd, 4, "LENGTH"));
    } else if (action == "spin") {
        auto* s = dynamic_cast<SpinBar*>(&w);
        if (!s) Raise(5, "Only spin bars spin");
        int dir = Int(cmd, 3, "DIRECTION");
        if (dir == 0) Raise(5, "The spin direction is +1 or -1");
        s->Spin(dir);
    } else if (action == "close") {
        auto* d = dynamic_cast<DialogForm*>(&w);
        if (!d) Raise(5, "Only dialog windows close by command");
        d->CloseCommand();
    } else {
        Raise(5, "Unknown ui action: " + action +
                     " (click, settext, type, key, mouse, focus, select, spin, close)");
    }
}

}  // namespace

void RegisterUiCommands(ScriptHost& host) {
    auto driver = std::make_shared<DialogDriver>(host);
    host.addCommand("ondialog", [driver](const Json& cmd) {
        std::string form = Text(cmd, 1, "FORM");
        std::vector<Json> cmds(cmd.items.begin() + 2, cmd.items.end());
        driver->queue(form, std::move(cmds));
    });
    host.addCommand("ui", [&host](const Json& cmd) {
        Widget& w = FindTarget(host, Text(cmd, 1, "FORM.CONTROL"));
        if (cmd.items.size() < 3) {
            host.emit(Json::object({{"result", State(w)}}));
            return;
        }
        Act(w, ToLower(Text(cmd, 2, "ACTION")), cmd);
    });
    SetFormShownHook([driver](Widget& form) { driver->shown(form); });
    SetBeepListener([&host] { host.emit(Json::object({{"beep", Json::boolean(true)}})); });
    host.addAfterCommand([driver] { driver->runPending(); });
    host.addCleanup([] {
        SetFormShownHook(nullptr);
        SetBeepListener(nullptr);
    });
}

}  // namespace ctlhost
