#include "apps/ctlhost/ScriptHost.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "apps/ctlhost/ComboCommands.h"
#include "apps/ctlhost/CommandArgs.h"
#include "apps/ctlhost/PrintedCommands.h"
#include "apps/ctlhost/ToolCommands.h"
#include "apps/ctlhost/UiCommands.h"
#include "apps/ctlhost/ValueJson.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/forms/Input.h"
#include "platform/forms/OpenForms.h"
#include "platform/forms/PopupMenu.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Text.h"
#include "platform/sys/UserWait.h"
#include "platform/win/Shell.h"

namespace ctlhost {

using namespace ctl;

namespace {
std::vector<void (*)(ScriptHost&)>& CommandFiles() {
    static std::vector<void (*)(ScriptHost&)> files;
    return files;
}

Json PromptJson(const PromptRecord& r) {
    Json j = Json::object({{"prompt", Json::string(r.kind)}});
    if (r.kind == "about") {
        j.set("title", Json::string(r.title));
        j.set("text", Json::string(r.text));
        Json links = Json::array();
        for (const auto& l : r.links) links.items.push_back(Json::string(l));
        j.set("links", links);
        j.set("interval", Json::number(r.interval));
        j.set("modeless", Json::boolean(r.modeless));
        return j;
    }
    j.set("text", Json::string(r.text));
    if (r.kind == "msgbox") {
        j.set("icon", Json::string(IconName(r.icon)));
        j.set("buttons", Json::string(ButtonsName(r.buttons)));
        j.set("default", Json::number(r.defaultButton));
    }
    if (r.kind == "choose") {
        Json items = Json::array();
        for (const auto& i : r.items) items.items.push_back(Json::string(i));
        j.set("items", items);
        j.set("mode", Json::string(r.mode));
    }
    j.set("title", Json::string(r.title));
    j.set("answer", Json::string(r.answer));
    return j;
}
}  // namespace

CommandFile::CommandFile(void (*install)(ScriptHost&)) {
    CommandFiles().push_back(install);
}

// What the host offers each of its controls: its own run-time flag and folder, and its
// notifications and events reported under its name.
class ScriptHost::Site : public ControlSite {
  public:
    Site(ScriptHost& host, Hosted& hosted, bool userMode, std::string folder)
        : host_(host), hosted_(hosted), userMode_(userMode), folder_(std::move(folder)) {}
    bool UserMode() const override { return userMode_; }
    FontPtr AmbientFont() const override { return host_.ambientFont_; }
    void PropertyChanged(const std::string& key) override { host_.changed(hosted_, key); }
    void RaiseEvent(const EventInfo& event, Args& args) override {
        host_.raised(hosted_, event, args);
    }
    std::string ApplicationFolder() const override { return folder_; }

  private:
    ScriptHost& host_;
    Hosted& hosted_;
    bool userMode_;
    std::string folder_;
};

ScriptHost::ScriptHost(std::function<void(const std::string&)> out)
    : out_(std::move(out)),
      prompter_(std::make_shared<ScriptedPrompter>()),
      ambientFont_(MakeFont("MS Sans Serif", 8)) {
    prompter_->onPrompt = [this](const PromptRecord& r, const MessageBoxRequest*) {
        emit(PromptJson(r));
    };
    prompter_->onAnswerNotPossible = [this](const std::string& why) { emitError(5, why); };
    SetPrompter(prompter_);
    // Script lines are read only between calls: a wait for the user inside a call (a paused
    // replay) can end only through a pending "after" command; with none left it is given up.
    SetUserWaitGiveUp([this](const std::string& what) {
        if (pendingAfter_ > 0) return false;
        emitError(5, what + " and no script command is left that could resume it; stopped");
        return true;
    });
    for (auto install : CommandFiles()) install(*this);
    AddPrintedCommands(*this);
    AddComboCommands(*this);
    RegisterUiCommands(*this);
    RegisterToolCommands(*this);
}

ScriptHost::~ScriptHost() {
    finish();
    for (auto& c : cleanups_) c();
    SetPrompter(nullptr);
    SetUserWaitGiveUp(nullptr);
    SetMenuPresenter(nullptr);
    SetShellHandler(nullptr);
}

void ScriptHost::addCommand(const std::string& verb, Command run) {
    commands_[ToLower(verb)] = std::move(run);
}

void ScriptHost::emit(const Json& j) {
    out_(j.dump());
}

void ScriptHost::emitError(int number, const std::string& description) {
    emit(Json::object({{"error", Json::object({{"number", Json::number(number)},
                                               {"description", Json::string(description)}})}}));
}

void ScriptHost::changed(const Hosted& from, const std::string& key) {
    Json j = Json::object({{"changed", Json::string(key)}});
    if (!from.name.empty()) j.set("control", Json::string(from.name));
    emit(j);
}

void ScriptHost::raised(const Hosted& from, const EventInfo& event, Args& args) {
    Json a = Json::array();
    for (const auto& v : args) a.items.push_back(FromVariant(v));
    Json j = Json::object({{"event", Json::string(event.name)}, {"args", a}});
    if (!from.name.empty()) j.set("control", Json::string(from.name));
    emit(j);
    auto it = handlers_.find(FoldCase(event.name));
    if (it == handlers_.end()) return;
    Args* outer = eventArgs_;
    eventArgs_ = &args;
    std::vector<Json> cmds = it->second;  // a handler may change the table
    for (const auto& c : cmds) {
        if (depth_ > kHandlerDepth) {  // handlers that raise events that run handlers...
            if (!budgetReported_)
                emitError(28, "Event handlers nested more than " + std::to_string(kHandlerDepth) +
                                  " deep; the deeper ones were skipped");
            budgetReported_ = true;
            break;
        }
        if (++spent_ > kHandlerCommandBudget) {
            if (!budgetReported_)
                emitError(28, "Event handlers started more than " +
                                  std::to_string(kHandlerCommandBudget) +
                                  " commands for one command; the rest were skipped");
            budgetReported_ = true;
            break;
        }
        ++depth_;
        execute(c);
        --depth_;
    }
    eventArgs_ = outer;
}

void ScriptHost::run(const std::string& line) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') return;  // blank lines and comments
    std::string err;
    auto cmd = Json::parse(t, &err);
    if (!cmd || cmd->kind != Json::Array || cmd->items.empty() ||
        cmd->items[0].kind != Json::String) {
        emitError(5, "Invalid command line (expected a JSON array starting with a command name)" +
                         (err.empty() ? std::string() : ": " + err));
        return;
    }
    execute(*cmd);
}

void ScriptHost::execute(const Json& cmd) {
    if (active_ == 0) {  // a new top-level command gets a fresh budget for its handlers
        spent_ = 0;
        budgetReported_ = false;
    }
    ++active_;
    struct Leave {
        ScriptHost& h;
        ~Leave() {
            if (--h.active_ == 0) h.releaseEnded();
            if (h.active_ == 0)
                for (size_t i = 0; i < h.afterCommand_.size(); ++i) h.afterCommand_[i]();
        }
    } leave{*this};
    try {
        if (cmd.kind != Json::Array || cmd.items.empty() || cmd.items[0].kind != Json::String)
            Raise(5, "Invalid command (expected an array starting with a command name)");
        const std::string verb = ToLower(cmd.items[0].s);
        if (verb == "create") {
            const Json* opts = cmd.items.size() > 2 ? &cmd.items[2] : nullptr;
            start(Text(cmd, 1, "CLASS"), opts, nullptr);
        } else if (verb == "load") {
            std::string file = Text(cmd, 2, "FILE");
            const Json* opts = cmd.items.size() > 3 ? &cmd.items[3] : nullptr;
            start(Text(cmd, 1, "CLASS"), opts, &file);
        } else if (verb == "save") {
            PropertyBag bag;
            control().WriteProperties(bag);
            bag.save(Text(cmd, 1, "FILE"), current_->progId);
            emit(Json::object({{"result", Json::boolean(true)}}));
        } else if (verb == "let" || verb == "set" || verb == "get" || verb == "call") {
            Variant r = invoke(verb, cmd);
            emit(Json::object({{"result", FromVariant(r)}}));
        } else if (verb == "answer") {
            std::string kind = ToLower(Text(cmd, 1, "KIND"));
            const Json& v = Arg(cmd, 2, "VALUE");
            if (kind == "msgbox") {
                // The buttons of a message box: OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5,
                // Yes 6, No 7.
                const int answer = Int(cmd, 2, "VALUE");
                if (answer < 1 || answer > 7)
                    Raise(5,
                          "A message box is answered with 1 to 7 (OK, Cancel, Abort, Retry, "
                          "Ignore, Yes, No), not " +
                              std::to_string(answer));
                prompter_->queueMessageBox(answer);
            } else if (kind == "input")
                prompter_->queueInput(
                    v.kind == Json::Null ? std::nullopt : std::optional(ToVariant(v).toString()));
            else if (kind == "open") {
                if (v.kind == Json::Null)
                    prompter_->queueOpen(std::nullopt);
                else if (v.kind == Json::Array) {
                    std::vector<std::string> paths;
                    for (const auto& p : v.items) paths.push_back(ToVariant(p).toString());
                    prompter_->queueOpen(paths);
                } else
                    prompter_->queueOpen(std::vector<std::string>{ToVariant(v).toString()});
            } else if (kind == "choose") {
                prompter_->queueChoose(
                    v.kind == Json::Null ? std::nullopt : std::optional(ToVariant(v).toString()));
            } else if (kind == "color") {
                prompter_->queueColor(v.kind == Json::Null
                                          ? std::nullopt
                                          : std::optional(uint32_t(ToVariant(v).toInt32())));
            } else
                Raise(5, "Unknown prompt kind: " + kind);
        } else if (verb == "mouse") {
            Widget* w = control().InputSurface();
            if (!SimulateMouse(*w, ToLower(Text(cmd, 1, "KIND")), Int(cmd, 2, "BUTTON"),
                               Int(cmd, 3, "SHIFT"), float(Number(cmd, 4, "X")),
                               float(Number(cmd, 5, "Y"))))
                Raise(5, "Unknown mouse action");
        } else if (verb == "key") {
            Widget* w = control().InputSurface();
            if (!SimulateKey(*w, ToLower(Text(cmd, 1, "KIND")), Int(cmd, 2, "CODE"),
                             cmd.items.size() > 3 ? Int(cmd, 3, "SHIFT") : 0))
                Raise(5, "Unknown key action");
        } else if (verb == "use") {
            std::string name = Text(cmd, 1, "NAME");
            Hosted* h = find(name);
            if (!h || h->ending) Raise(91, "No control named " + name);
            current_ = h;
        } else if (verb == "resize") {
            control().setSize(Int(cmd, 1, "W"), Int(cmd, 2, "H"));
        } else if (verb == "doevents") {
            DoEvents();
        } else if (verb == "wait") {
            // Lets the event loop run for a while (timers, animated drawing started by "after").
            int ms = Int(cmd, 1, "MS");
            int64_t end = Clock::MonotonicMs() + std::clamp(ms, 0, 60000);
            while (Clock::MonotonicMs() < end) DoEvents();
        } else if (verb == "after") {
            int ms = Int(cmd, 1, "MS");
            Json inner = Arg(cmd, 2, "COMMAND");
            // The timer may outlive this host (a host made and ended inside another program).
            std::weak_ptr<int> alive = alive_;
            ++pendingAfter_;
            RunLater(std::max(0, ms), [this, inner, alive] {
                if (!alive.lock()) return;
                --pendingAfter_;
                execute(inner);
            });
        } else if (verb == "on") {
            std::string ev = FoldCase(Text(cmd, 1, "EVENT"));
            if (cmd.items.size() < 3) handlers_.erase(ev);
            for (size_t i = 2; i < cmd.items.size(); ++i) handlers_[ev].push_back(cmd.items[i]);
        } else if (verb == "setarg") {
            if (!eventArgs_) Raise(5, "setarg is only valid inside an event handler");
            int i = Int(cmd, 1, "INDEX");
            if (i < 0 || size_t(i) >= eventArgs_->size()) Raise(9);
            (*eventArgs_)[size_t(i)] = ToVariant(Arg(cmd, 2, "VALUE"));
        } else if (verb == "snapshot") {
            std::string file = Text(cmd, 1, "FILE");
            DoEvents();
            Widget* window = nullptr;
            if (cmd.items.size() > 2 && EqualsNoCase(Text(cmd, 2, "FORM"), "screen")) {
                // Every shown window where it stands: a form with its open drop-down list.
                SaveScreenPng(file);
                emit(Json::object({{"result", Json::string(file)}}));
                return;
            }
            if (cmd.items.size() > 2) {
                // One of the open forms (a dialog) instead of the control.
                std::string form = Text(cmd, 2, "FORM");
                window = FindForm(form);
                if (!window) Raise(5, "No form named " + form + " is open");
            } else {
                window = &control();
            }
            SaveWindowPng(*window, file);
            emit(Json::object({{"result", Json::string(file)}}));
        } else if (verb == "terminate") {
            control();
            end(*current_);
            if (active_ <= 1) releaseEnded();
        } else if (verb == "locale") {
            std::string name = ToLower(Text(cmd, 1, "NAME"));
            if (name == "us")
                Locale::SetCurrent(LocaleInfo::US());
            else if (name == "uk")
                Locale::SetCurrent(LocaleInfo::UK());
            else if (name == "italian")
                Locale::SetCurrent(LocaleInfo::Italian());
            else if (name == "iso")
                Locale::SetCurrent(LocaleInfo::ISO());
            else if (name == "machine")
                Locale::ResetToMachine();
            else
                Raise(5, "Unknown locale: " + name + " (us, uk, italian, iso, machine)");
        } else if (verb == "today") {
            const Json& v = Arg(cmd, 1, "DATE");
            if (v.kind == Json::Null)
                Clock::SetNow(std::nullopt);
            else
                Clock::SetNow(v.kind == Json::Number ? Variant::Date(v.n).toDateSerial()
                                                     : Variant(v.s).toDateSerial());
        } else if (verb == "echo") {
            emit(Json::object({{"echo", cmd.items.size() > 1 ? cmd.items[1] : Json()}}));
        } else if (auto it = commands_.find(verb); it != commands_.end()) {
            it->second(cmd);
        } else {
            Raise(5, "Unknown command: " + cmd.items[0].s);
        }
    } catch (const RaisedError& e) {
        emitError(e.number(), e.description());
    } catch (const std::exception& e) {
        emitError(5, std::string("Host error: ") + e.what());
    }
}

UserControl& ScriptHost::control() {
    if (!current_ || current_->ending || !current_->control)
        Raise(91, "No control: use create or load first");
    return *current_->control;
}

Form& ScriptHost::form() {
    control();
    auto it = forms_.find(current_->formName);
    if (it == forms_.end()) Raise(91, "The control sits on no form");
    return *it->second;
}

UserControl* ScriptHost::findControl(const std::string& name, const std::string& form) {
    for (const auto& h : hosted_)
        if (!h->ending && h->control && !h->name.empty() && EqualsNoCase(h->name, name) &&
            (form.empty() || EqualsNoCase(h->formName, form)))
            return h->control.get();
    return nullptr;
}

ScriptHost::Hosted* ScriptHost::find(const std::string& name) const {
    for (const auto& h : hosted_)
        if (h->name == name) return h.get();
    return nullptr;
}

void ScriptHost::start(const std::string& progId, const Json* options, const std::string* file) {
    std::string name, formName;
    bool userMode = true;
    std::string folder;
    int width = -1, height = -1, left = 0, top = 0;
    if (options && options->kind == Json::Object) {
        // An option of the wrong kind is refused rather than passed over.
        auto option = [&](const char* key, Json::Kind kind) -> const Json* {
            const Json* v = options->find(key);
            if (v && v->kind != kind)
                Raise(13, std::string("Type mismatch: the option ") + key + " takes " +
                              (kind == Json::Number ? "a number"
                               : kind == Json::Bool ? "true or false"
                                                    : "a text"));
            return v;
        };
        auto size = [&](const char* key, int& out) {
            if (const Json* v = option(key, Json::Number)) {
                if (!(v->n >= 1 && v->n <= 2147483647.0))
                    Raise(380, std::string("Invalid property value: ") + key +
                                   " must be a positive number of twips");
                out = int(v->n);
            }
        };
        auto place = [&](const char* key, int& out) {
            if (const Json* v = option(key, Json::Number)) {
                if (!(v->n >= -2147483648.0 && v->n <= 2147483647.0))
                    Raise(6, std::string("Overflow: ") + key);
                out = int(v->n);
            }
        };
        if (const Json* u = option("userMode", Json::Bool)) userMode = u->b;
        size("width", width);
        size("height", height);
        if (const Json* f = option("folder", Json::String)) folder = f->s;
        if (const Json* n = option("name", Json::String)) name = n->s;
        if (const Json* f = option("form", Json::String)) formName = f->s;
        place("left", left);
        place("top", top);
    }
    // A control without a form of its own choosing gets a form to itself.
    if (formName.empty()) formName = "#" + name;
    Hosted* previous = find(name);
    if (previous && previous->control && active_ > 1)
        Raise(5, "A call to the control is still running; create or load after it returns");
    const ControlClass& cls = LookUpControlClass(progId);
    PropertyBag bag;
    if (file) {
        std::string stored;
        bag = PropertyBag::load(*file, &stored);
        if (!stored.empty() && !EqualsNoCase(stored, cls.progId))
            Raise(13, "The property file holds a " + stored + ", not a " + cls.progId);
    }
    if (previous) {
        end(*previous);
        releaseEnded();
    }
    std::unique_ptr<Form>& form = forms_[formName];
    if (!form) {
        form = std::make_unique<Form>();
        form->setCaption(formName[0] == '#' ? "ctlhost" : formName);
    }
    auto hosted = std::make_unique<Hosted>();
    Hosted& h = *hosted;
    h.name = name;
    h.formName = formName;
    h.site = std::make_unique<Site>(*this, h, userMode, folder);
    h.control = cls.create(*h.site);
    if (!name.empty()) h.control->setName(name);  // what screen readers call it
    h.progId = cls.progId;
    hosted_.push_back(std::move(hosted));
    current_ = &h;
    form->Place(*h.control, left, top);
    h.control->Initialize();
    if (file)
        h.control->ReadProperties(bag);
    else
        h.control->InitProperties();
    if (width > 0 || height > 0)
        h.control->setSize(width > 0 ? width : h.control->Width(),
                           height > 0 ? height : h.control->Height());
    fitForm(formName);
    form->Show();
    h.control->Show();
    DoEvents();  // the form becomes the active window, so its children can take the focus
    Json result = Json::object({{"result", Json::string(h.progId)}});
    if (!name.empty()) result.set("control", Json::string(name));
    emit(result);
}

// The form holds all its controls with a margin.
void ScriptHost::fitForm(const std::string& formName) {
    auto it = forms_.find(formName);
    if (it == forms_.end()) return;
    int right = 0, bottom = 0;
    for (const auto& h : hosted_)
        if (h->formName == formName && h->control) {
            right = std::max(right, h->control->Left() + h->control->Width());
            bottom = std::max(bottom, h->control->Top() + h->control->Height());
        }
    const int left = it->second->Left(), top = it->second->Top();
    it->second->Move(left, top, right + 600, bottom + 600);
}

Variant ScriptHost::invoke(const std::string& verb, const Json& cmd) {
    std::string name = Text(cmd, 1, "NAME");
    Args args;
    for (size_t i = 2; i < cmd.items.size(); ++i) args.push_back(ToVariant(cmd.items[i]));
    MemberKind kind = verb == "get"   ? MemberKind::PropertyGet
                      : verb == "let" ? MemberKind::PropertyPut
                      : verb == "set" ? MemberKind::PropertyPutRef
                                      : MemberKind::Method;
    if ((kind == MemberKind::PropertyPut || kind == MemberKind::PropertyPutRef) && args.empty())
        Raise(450, "Missing the value to assign to " + name);
    return Invoke(control(), name, kind, args);
}

void ScriptHost::finish() {
    // What the controls ask while they end, nobody is left to answer.
    prompter_->setInputEnded(true);
    for (const auto& h : hosted_) end(*h);
    if (active_ <= 1) releaseEnded();
    prompter_->setInputEnded(false);
}

// Terminate sets the control's stop flags, so its running loops leave; the control itself is
// released once no command of the script is running any more.
void ScriptHost::end(Hosted& h) {
    if (h.ending || !h.control) return;
    h.ending = true;
    try {
        h.control->Terminate();
    } catch (const RaisedError& e) {
        emitError(e.number(), e.description());
    } catch (const std::exception& e) {
        emitError(5, e.what());
    }
}

void ScriptHost::releaseEnded() {
    for (size_t i = hosted_.size(); i-- > 0;) {
        if (!hosted_[i]->ending) continue;
        std::unique_ptr<Hosted> h = std::move(hosted_[i]);
        hosted_.erase(hosted_.begin() + long(i));
        if (current_ == h.get()) current_ = nullptr;
        const std::string formName = h->formName;
        h->control.reset();
        const bool formInUse = std::any_of(hosted_.begin(), hosted_.end(),
                                           [&](const auto& o) { return o->formName == formName; });
        if (!formInUse) forms_.erase(formName);
    }
    // With the current control gone, the last one still running carries on.
    if (!current_ && !hosted_.empty()) current_ = hosted_.back().get();
    if (hosted_.empty()) eventArgs_ = nullptr;
}

}  // namespace ctlhost
