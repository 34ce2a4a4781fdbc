#include "host/ScriptHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "host/CommandArgs.h"
#include "host/PrintedCommands.h"
#include "host/UiCommands.h"
#include "host/ToolCommands.h"
#include "host/ValueJson.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/forms/Input.h"
#include "platform/forms/OpenForms.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Text.h"

namespace ctlhost {

using namespace ctl;

namespace {
std::string ExeFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, size_t(n));
    return p.substr(0, p.rfind('/'));
}

}  // namespace

ScriptHost::ScriptHost(std::function<void(const std::string&)> out)
    : out_(std::move(out)),
      prompter_(std::make_shared<ScriptedPrompter>()),
      ambientFont_(MakeFont("MS Sans Serif", 8)) {
    prompter_->onPrompt = [this](const PromptRecord& r, const MessageBoxRequest*) {
        Json j = Json::object({{"prompt", Json::string(r.kind)}, {"text", Json::string(r.text)}});
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
        emit(j);
    };
    SetPrompter(prompter_);
    AddPrintedCommands(*this);
    RegisterUiCommands(*this);
    RegisterToolCommands(*this);
}

ScriptHost::~ScriptHost() {
    finish();
    for (auto& c : cleanups_) c();
    SetPrompter(nullptr);
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

void ScriptHost::PropertyChanged(const std::string& key) {
    emit(Json::object({{"changed", Json::string(key)}}));
}

void ScriptHost::RaiseEvent(const EventInfo& event, Args& args) {
    Json a = Json::array();
    for (const auto& v : args) a.items.push_back(FromVariant(v));
    emit(Json::object({{"event", Json::string(event.name)}, {"args", a}}));
    auto it = handlers_.find(FoldCase(event.name));
    if (it == handlers_.end()) return;
    Args* outer = eventArgs_;
    eventArgs_ = &args;
    std::vector<Json> cmds = it->second;  // a handler may change the table
    for (const auto& c : cmds) {
        if (depth_ > 16) break;  // handlers that raise events that run handlers...
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
    ++active_;
    struct Leave {
        ScriptHost& h;
        ~Leave() {
            if (--h.active_ == 0 && h.releasePending_) h.release();
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
            bag.save(Text(cmd, 1, "FILE"), progId_);
            emit(Json::object({{"result", Json::boolean(true)}}));
        } else if (verb == "let" || verb == "set" || verb == "get" || verb == "call") {
            Variant r = invoke(verb, cmd);
            emit(Json::object({{"result", FromVariant(r)}}));
        } else if (verb == "answer") {
            std::string kind = ToLower(Text(cmd, 1, "KIND"));
            const Json& v = Arg(cmd, 2, "VALUE");
            if (kind == "msgbox")
                prompter_->queueMessageBox(Int(cmd, 2, "VALUE"));
            else if (kind == "input")
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
        } else if (verb == "syscommand") {
            control();
            Raise(5, "System-menu commands are not available for this control yet");
        } else if (verb == "popup") {
            control();
            Raise(5, "No pop-up menu is open");
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
            RunLater(std::max(0, ms), [this, inner] { execute(inner); });
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
            if (cmd.items.size() > 2) {
                // One of the open forms (a dialog) instead of the control.
                std::string form = Text(cmd, 2, "FORM");
                window = FindForm(form);
                if (!window) Raise(5, "No form named " + form + " is open");
            } else {
                window = &control();
            }
            if (!SaveWindowPng(*window, file)) Raise(75, "Path/File access error: " + file);
            emit(Json::object({{"result", Json::string(file)}}));
        } else if (verb == "terminate") {
            control();
            finish();
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
                Clock::SetNow(v.kind == Json::Number ? v.n : Variant(v.s).toDateSerial());
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
    if (!control_ || releasePending_) Raise(91, "No control: use create or load first");
    return *control_;
}

const ControlClass& ScriptHost::classFor(const std::string& progId) {
    size_t dot = progId.find('.');
    if (dot == std::string::npos || dot == 0) Raise(429, "Invalid class name: " + progId);
    std::string lib = ToLower(progId.substr(0, dot));
    for (char c : lib)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            Raise(429, "Invalid class name: " + progId);
    void*& handle = libraries_[lib];
    if (!handle) {
        const char* dir = std::getenv("CTL_LIBRARY_PATH");
        std::string path =
            std::string(dir && *dir ? dir : ExeFolder().c_str()) + "/lib" + lib + ".so";
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            libraries_.erase(lib);
            Raise(429, "Cannot load the library of " + progId + ": " + path);
        }
    }
    auto get = reinterpret_cast<CtlGetClassObjectFn>(dlsym(handle, "CtlGetClassObject"));
    const ControlClass* cls = get ? get(progId.c_str()) : nullptr;
    if (!cls) Raise(429, "The library does not offer the class " + progId);
    return *cls;
}

void ScriptHost::start(const std::string& progId, const Json* options, const std::string* file) {
    if (active_ > 1 && control_)
        Raise(5, "A call to the control is still running; create or load after it returns");
    const ControlClass& cls = classFor(progId);
    PropertyBag bag;
    if (file) {
        std::string stored;
        bag = PropertyBag::load(*file, &stored);
        if (!stored.empty() && !EqualsNoCase(stored, cls.progId))
            Raise(13, "The property file holds a " + stored + ", not a " + cls.progId);
    }
    finish();
    userMode_ = true;
    folder_.clear();
    int width = -1, height = -1;
    if (options && options->kind == Json::Object) {
        if (auto* u = options->find("userMode"); u && u->kind == Json::Bool) userMode_ = u->b;
        if (auto* w = options->find("width"); w && w->kind == Json::Number) width = int(w->n);
        if (auto* h = options->find("height"); h && h->kind == Json::Number) height = int(h->n);
        if (auto* f = options->find("folder"); f && f->kind == Json::String) folder_ = f->s;
    }
    form_ = std::make_unique<Form>();
    form_->setCaption("ctlhost");
    control_ = cls.create(*this);
    progId_ = cls.progId;
    form_->Place(*control_, 0, 0);
    control_->Initialize();
    if (file)
        control_->ReadProperties(bag);
    else
        control_->InitProperties();
    if (width > 0 || height > 0)
        control_->setSize(width > 0 ? width : control_->Width(),
                          height > 0 ? height : control_->Height());
    form_->Move(0, 0, control_->Width() + 600, control_->Height() + 600);
    form_->Show();
    control_->Show();
    emit(Json::object({{"result", Json::string(progId_)}}));
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
    if (!control_ || releasePending_) return;
    try {
        control_->Terminate();  // sets the control's stop flags: running loops leave
    } catch (const RaisedError& e) {
        emitError(e.number(), e.description());
    } catch (const std::exception& e) {
        emitError(5, e.what());
    }
    if (active_ > 1)
        releasePending_ = true;
    else
        release();
}

void ScriptHost::release() {
    releasePending_ = false;
    control_.reset();
    form_.reset();
    eventArgs_ = nullptr;
}

}  // namespace ctlhost
