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

// Drives controls through their dispatch interfaces from JSON command lines and reports
// results, errors, events, prompts and property-changed notifications as JSON lines. A script
// may place several controls, each with a name, on one or several forms; commands act on the
// current control (the one last created, loaded or chosen with "use").
class ScriptHost {
  public:
    explicit ScriptHost(std::function<void(const std::string&)> out);
    ~ScriptHost();

    // Runs one command line; never throws.
    void run(const std::string& line);
    // Ends every control (Terminate, then release).
    void finish();

    // Commands beyond the core set register here (one file per topic, apps/ctlhost/*Commands.cpp,
    // each installing its commands through a CommandFile object).
    using Command = std::function<void(const ctl::Json& cmd)>;
    void addCommand(const std::string& verb, Command run);
    // For command handlers: the current control and its form (raise 91 without one), output
    // lines, the scripted prompter, and running a nested command.
    ctl::UserControl& control();
    ctl::Form& form();
    // A control of the script by its name, on the named form when `form` is not empty; null
    // when there is none.
    ctl::UserControl* findControl(const std::string& name, const std::string& form = "");
    void emit(const ctl::Json& j);
    void emitError(int number, const std::string& description);
    ctl::ScriptedPrompter& prompter() { return *prompter_; }
    void execute(const ctl::Json& cmd);
    // Runs `fn` each time the outermost command returns (work left for when no call is
    // running), and at the host's end.
    void addAfterCommand(std::function<void()> fn) { afterCommand_.push_back(std::move(fn)); }
    void addCleanup(std::function<void()> fn) { cleanups_.push_back(std::move(fn)); }

  private:
    class Site;
    // A control of the script: its name ("" for the unnamed one), its form and its site.
    struct Hosted {
        std::string name, formName, progId;
        std::unique_ptr<Site> site;
        std::unique_ptr<ctl::UserControl> control;
        bool ending = false;  // terminated; released when the outermost command returns
    };

    void start(const std::string& progId, const ctl::Json* options, const std::string* file);
    ctl::Variant invoke(const std::string& verb, const ctl::Json& cmd);
    void raised(const Hosted& from, const ctl::EventInfo& event, ctl::Args& args);
    void changed(const Hosted& from, const std::string& key);
    Hosted* find(const std::string& name) const;
    void end(Hosted& h);
    void releaseEnded();
    void fitForm(const std::string& formName);

    std::function<void(const std::string&)> out_;
    std::shared_ptr<ctl::ScriptedPrompter> prompter_;
    std::map<std::string, std::unique_ptr<ctl::Form>> forms_;
    std::vector<std::unique_ptr<Hosted>> hosted_;
    Hosted* current_ = nullptr;
    ctl::FontPtr ambientFont_;
    // Commands run when an event is raised, and the arguments of the event being handled.
    std::map<std::string, std::vector<ctl::Json>> handlers_;
    std::map<std::string, Command> commands_;
    std::vector<std::function<void()>> afterCommand_, cleanups_;
    ctl::Args* eventArgs_ = nullptr;
    int depth_ = 0;
    // Commands one top-level command has started through event handlers; handlers that set off
    // more events than this are cut short (depth alone does not bound handlers that fan out).
    static constexpr int kHandlerCommandBudget = 10000;
    static constexpr int kHandlerDepth = 16;
    int spent_ = 0;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // watched by pending timers
    int pendingAfter_ = 0;                                   // "after" commands not yet run
    bool budgetReported_ = false;
    // Commands can run inside others (event handlers, "after" during a long call). A control
    // ended from inside a call of its own is released only when the outermost command returns.
    int active_ = 0;
};

// Installs a topic's commands into every script host; a command file holds one as a static.
struct CommandFile {
    explicit CommandFile(void (*install)(ScriptHost&));
};

}  // namespace ctlhost
