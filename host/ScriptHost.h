#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/Json.h"
#include "platform/com/Library.h"
#include "platform/com/UserControl.h"
#include "platform/sys/Prompts.h"

namespace ctlhost {

// Drives one control through its dispatch interface from JSON command lines and reports
// results, errors, events, prompts and property-changed notifications as JSON lines.
class ScriptHost : public ctl::ControlSite {
  public:
    explicit ScriptHost(std::function<void(const std::string&)> out);
    ~ScriptHost() override;

    // Runs one command line; never throws.
    void run(const std::string& line);
    // Ends the current control, if any (Terminate, then release).
    void finish();

    // Commands beyond the core set register here (one file per topic, see host/*Commands.cpp).
    using Command = std::function<void(const ctl::Json& cmd)>;
    void addCommand(const std::string& verb, Command run);
    // For command handlers: the current control (raises 91 without one), output lines,
    // the scripted prompter, and running a nested command.
    ctl::UserControl& control();
    void emit(const ctl::Json& j);
    void emitError(int number, const std::string& description);
    ctl::ScriptedPrompter& prompter() { return *prompter_; }
    void execute(const ctl::Json& cmd);
    // Runs `fn` each time the outermost command returns (work left for when no call is
    // running), and at the host's end.
    void addAfterCommand(std::function<void()> fn) { afterCommand_.push_back(std::move(fn)); }
    void addCleanup(std::function<void()> fn) { cleanups_.push_back(std::move(fn)); }

    // ControlSite
    bool UserMode() const override { return userMode_; }
    ctl::FontPtr AmbientFont() const override { return ambientFont_; }
    void PropertyChanged(const std::string& key) override;
    void RaiseEvent(const ctl::EventInfo& event, ctl::Args& args) override;
    std::string ApplicationFolder() const override { return folder_; }

  private:
    void start(const std::string& progId, const ctl::Json* options, const std::string* file);
    ctl::Variant invoke(const std::string& verb, const ctl::Json& cmd);

    std::function<void(const std::string&)> out_;
    std::shared_ptr<ctl::ScriptedPrompter> prompter_;
    std::unique_ptr<ctl::Form> form_;
    std::unique_ptr<ctl::UserControl> control_;
    std::string progId_;
    bool userMode_ = true;
    ctl::FontPtr ambientFont_;
    std::string folder_;
    // Commands run when an event is raised, and the arguments of the event being handled.
    std::map<std::string, std::vector<ctl::Json>> handlers_;
    std::map<std::string, Command> commands_;
    std::vector<std::function<void()>> afterCommand_, cleanups_;
    ctl::Args* eventArgs_ = nullptr;
    int depth_ = 0;
    // Commands can run inside others (event handlers, "after" during a long call). A control
    // ended from inside a call of its own is released only when the outermost command returns.
    int active_ = 0;
    bool releasePending_ = false;
    void release();
};

}  // namespace ctlhost
