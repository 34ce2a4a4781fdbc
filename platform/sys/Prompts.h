#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ctl {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
// Answers of a message box.
enum MsgAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

struct MessageBoxRequest {
    std::string text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    int defaultButton = 1;  // 1..3, position of the default button
    std::string title;
};

struct InputBoxRequest {
    std::string prompt, title, defaultText;
};

struct OpenFileRequest {
    std::string title;                                         // empty: the dialog's own title
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern(s)
    int filterIndex = 1;                                       // 1-based
    std::string fileName, initialFolder, defaultExt;
    bool mustExist = false, multiSelect = false;
};
struct OpenFileResult {
    std::vector<std::string> paths;  // full paths of the chosen files
    int filterIndex = 1;
};

struct ColorRequest {
    uint32_t initial = 0;  // 0x00BBGGRR
    std::string title;
    std::array<uint32_t, 16> customColors{};
};
struct ColorResult {
    uint32_t color = 0;
    std::array<uint32_t, 16> customColors{};
};

// A dialog in which a person picks one row of a list. The dialog keeps its own result; the
// prompter only shows it (a person works it) or works it as a script says.
class ChoiceDialog {
  public:
    virtual ~ChoiceDialog() = default;
    virtual void ShowModal() = 0;     // returns when the dialog has closed
    virtual void ShowModeless() = 0;  // shows it and returns at once
    virtual bool IsOpen() const = 0;
    virtual bool SelectRow(const std::string& text) = 0;  // false: no row shows that text
    virtual void ClickOK() = 0;
    virtual void CloseByUser() = 0;  // the window's own close command
};

struct ChooseRequest {
    std::string title;
    std::vector<std::string> items;
    std::string mode;  // "Exec" (pick a row) or "View"
    ChoiceDialog* dialog = nullptr;
};

// An about box: its title, text and links as shown, the time after which it closes itself
// (0 never) and whether it stays open beside the program (modeless). `show` shows the real box
// and returns when it is closed (at once for a modeless one).
struct AboutRequest {
    std::string title, text;
    std::vector<std::string> links{};
    int32_t interval = 0;
    bool modeless = false;
    std::function<void()> show;
};

// Buttons of a message box, in order, as answer ids.
std::vector<int> ButtonIds(MsgButtons b);
const char* IconName(MsgIcon i);
const char* ButtonsName(MsgButtons b);

// Every question the controls ask a person goes through one prompter.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual int MessageBox(const MessageBoxRequest& r) = 0;
    virtual std::optional<std::string> InputBox(const InputBoxRequest& r) = 0;  // nullopt: cancel
    virtual std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) = 0;
    virtual std::optional<ColorResult> ChooseColor(const ColorRequest& r) = 0;
    // Shows a choice dialog modal; a person works it.
    virtual void Choose(const ChooseRequest& r) {
        if (r.dialog) r.dialog->ShowModal();
    }
    // Shows the real box unless the prompter reports it instead.
    virtual void About(const AboutRequest& r) {
        if (r.show) r.show();
    }
};

// Real modal dialogs of the toolkit.
class DialogPrompter : public Prompter {
  public:
    int MessageBox(const MessageBoxRequest& r) override;
    std::optional<std::string> InputBox(const InputBoxRequest& r) override;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) override;
    std::optional<ColorResult> ChooseColor(const ColorRequest& r) override;
};

// One recorded prompt of the scripted answerer.
struct PromptRecord {
    std::string kind;  // "msgbox", "input", "open", "color", "choose", "about"
    std::string text, title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    int defaultButton = 1;
    std::string answer;                // what was answered, as text ("" for a cancelled prompt)
    std::vector<std::string> items{};  // the rows of a choice
    std::string mode{};                // the mode of a choice
    // An about box: its links, self-closing interval and modeless flag.
    std::vector<std::string> links{};
    int32_t interval = 0;
    bool modeless = false;
};

// Answers prompts from queues and records each one. Unqueued prompts take the default:
// a message box its default button, the other dialogs a cancel; an about box is closed at once.
class ScriptedPrompter : public Prompter {
  public:
    void queueMessageBox(int answer) { msg_.push_back(answer); }
    void queueInput(std::optional<std::string> text) { input_.push_back(std::move(text)); }
    void queueOpen(std::optional<std::vector<std::string>> paths) {
        open_.push_back(std::move(paths));
    }
    void queueColor(std::optional<uint32_t> color) { color_.push_back(color); }
    // A choice: the text of the row to pick and OK; "" OK with no row picked; nullopt the
    // window's close command. An unanswered choice is closed by its close command.
    void queueChoose(std::optional<std::string> row) { choose_.push_back(std::move(row)); }

    // Once the script has no more lines nobody can answer: a box that offers to try again is
    // then answered with Cancel (Abort when it has no Cancel), so a loop that retries ends.
    // Before that, a box answered Retry by default is given up the same way after
    // kMaxDefaultRetries times in a row. Either is told through onAnswerNotPossible.
    void setInputEnded(bool ended) { inputEnded_ = ended; }
    static constexpr int kMaxDefaultRetries = 3;

    const std::vector<PromptRecord>& records() const { return records_; }
    void clearRecords() { records_.clear(); }
    std::function<void(const PromptRecord&, const MessageBoxRequest*)> onPrompt;
    // Told when a queued answer cannot be given as asked (a row the chooser does not show);
    // the dialog then goes on as a user's OK with no row would.
    std::function<void(const std::string&)> onAnswerNotPossible;

    int MessageBox(const MessageBoxRequest& r) override;
    std::optional<std::string> InputBox(const InputBoxRequest& r) override;
    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& r) override;
    std::optional<ColorResult> ChooseColor(const ColorRequest& r) override;
    void Choose(const ChooseRequest& r) override;
    // Reported, never shown: a script cannot wait on a box nobody closes.
    void About(const AboutRequest& r) override;

  private:
    void record(PromptRecord rec, const MessageBoxRequest* m = nullptr);
    int UnqueuedAnswer(const MessageBoxRequest& r);
    bool inputEnded_ = false;
    int defaultRetries_ = 0;
    std::deque<int> msg_;
    std::deque<std::optional<std::string>> input_;
    std::deque<std::optional<std::vector<std::string>>> open_;
    std::deque<std::optional<uint32_t>> color_;
    std::deque<std::optional<std::string>> choose_;
    std::vector<PromptRecord> records_;
};

Prompter& Prompts();
void SetPrompter(std::shared_ptr<Prompter> p);  // null restores the real dialogs

// Shortcut for a message box through the current prompter.
int MsgBox(const std::string& text, MsgIcon icon = MsgIcon::None,
           MsgButtons buttons = MsgButtons::OK, int defaultButton = 1,
           const std::string& title = "");

}  // namespace ctl
