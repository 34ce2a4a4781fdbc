#include "platform/sys/Prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/sys/EventLoop.h"

namespace ctl {

std::vector<int> ButtonIds(MsgButtons b) {
    switch (b) {
        case MsgButtons::OK:
            return {vbOK};
        case MsgButtons::OKCancel:
            return {vbOK, vbCancel};
        case MsgButtons::AbortRetryIgnore:
            return {vbAbort, vbRetry, vbIgnore};
        case MsgButtons::YesNoCancel:
            return {vbYes, vbNo, vbCancel};
        case MsgButtons::YesNo:
            return {vbYes, vbNo};
        case MsgButtons::RetryCancel:
            return {vbRetry, vbCancel};
    }
    return {vbOK};
}

const char* IconName(MsgIcon i) {
    switch (i) {
        case MsgIcon::Critical:
            return "critical";
        case MsgIcon::Question:
            return "question";
        case MsgIcon::Exclamation:
            return "exclamation";
        case MsgIcon::Information:
            return "information";
        default:
            return "none";
    }
}

const char* ButtonsName(MsgButtons b) {
    switch (b) {
        case MsgButtons::OK:
            return "ok";
        case MsgButtons::OKCancel:
            return "okcancel";
        case MsgButtons::AbortRetryIgnore:
            return "abortretryignore";
        case MsgButtons::YesNoCancel:
            return "yesnocancel";
        case MsgButtons::YesNo:
            return "yesno";
        case MsgButtons::RetryCancel:
            return "retrycancel";
    }
    return "ok";
}

namespace {
int DefaultAnswer(const MessageBoxRequest& r) {
    auto ids = ButtonIds(r.buttons);
    int i = r.defaultButton - 1;
    return ids[size_t(i >= 0 && i < int(ids.size()) ? i : 0)];
}
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
// Message texts join lines with a lone carriage return; the toolkit wants line feeds.
QString Lines(const std::string& s) {
    QString q = Q(s);
    q.replace("\r\n", "\n");
    q.replace('\r', '\n');
    return q;
}
std::shared_ptr<Prompter> g_prompter;
}  // namespace

int DialogPrompter::MessageBox(const MessageBoxRequest& r) {
    EnsureApplication();
    QMessageBox box;
    box.setWindowTitle(r.title.empty() ? QApplication::applicationName() : Q(r.title));
    box.setText(Lines(r.text));
    switch (r.icon) {
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    auto ids = ButtonIds(r.buttons);
    std::vector<std::pair<QPushButton*, int>> buttons;
    for (int id : ids) {
        QMessageBox::StandardButton sb = QMessageBox::Ok;
        switch (id) {
            case vbOK:
                sb = QMessageBox::Ok;
                break;
            case vbCancel:
                sb = QMessageBox::Cancel;
                break;
            case vbAbort:
                sb = QMessageBox::Abort;
                break;
            case vbRetry:
                sb = QMessageBox::Retry;
                break;
            case vbIgnore:
                sb = QMessageBox::Ignore;
                break;
            case vbYes:
                sb = QMessageBox::Yes;
                break;
            case vbNo:
                sb = QMessageBox::No;
                break;
        }
        buttons.push_back({box.addButton(sb), id});
    }
    int def = r.defaultButton - 1;
    if (def >= 0 && def < int(buttons.size())) box.setDefaultButton(buttons[size_t(def)].first);
    box.exec();
    for (auto& [b, id] : buttons)
        if (box.clickedButton() == b) return id;
    return ids.size() > 1 ? vbCancel : vbOK;
}

std::optional<std::string> DialogPrompter::InputBox(const InputBoxRequest& r) {
    EnsureApplication();
    bool ok = false;
    QString t = QInputDialog::getText(nullptr, Q(r.title), Lines(r.prompt), QLineEdit::Normal,
                                      Q(r.defaultText), &ok);
    if (!ok) return std::nullopt;
    return t.toStdString();
}

std::optional<OpenFileResult> DialogPrompter::OpenFile(const OpenFileRequest& r) {
    EnsureApplication();
    QFileDialog dlg(nullptr, Q(r.title), Q(r.initialFolder));
    dlg.setFileMode(r.multiSelect
                        ? QFileDialog::ExistingFiles
                        : (r.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    QStringList filters;
    for (auto& [desc, pat] : r.filters) filters << Q(desc + " (" + pat + ")").replace(';', ' ');
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        int i = r.filterIndex - 1;
        if (i >= 0 && i < filters.size()) dlg.selectNameFilter(filters[i]);
    }
    if (!r.defaultExt.empty()) dlg.setDefaultSuffix(Q(r.defaultExt));
    if (!r.fileName.empty()) dlg.selectFile(Q(r.fileName));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    OpenFileResult res;
    for (const QString& f : dlg.selectedFiles()) res.paths.push_back(f.toStdString());
    res.filterIndex = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
    if (res.filterIndex < 1) res.filterIndex = r.filterIndex;
    return res;
}

std::optional<ColorResult> DialogPrompter::ChooseColor(const ColorRequest& r) {
    EnsureApplication();
    auto toQ = [](uint32_t c) {
        return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
    };
    auto fromQ = [](const QColor& c) {
        return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
    };
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, toQ(r.customColors[size_t(i)]));
    QColorDialog dlg(toQ(r.initial));
    dlg.setWindowTitle(Q(r.title));
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    ColorResult res;
    res.color = fromQ(dlg.selectedColor());
    for (int i = 0; i < 16; ++i) res.customColors[size_t(i)] = fromQ(QColorDialog::customColor(i));
    return res;
}

void ScriptedPrompter::record(PromptRecord rec, const MessageBoxRequest* m) {
    records_.push_back(rec);
    if (onPrompt) onPrompt(records_.back(), m);
}

int ScriptedPrompter::UnqueuedAnswer(const MessageBoxRequest& r) {
    const int answer = DefaultAnswer(r);
    const bool retries =
        r.buttons == MsgButtons::RetryCancel || r.buttons == MsgButtons::AbortRetryIgnore;
    if (!retries) return answer;
    const int giveUp = r.buttons == MsgButtons::RetryCancel ? vbCancel : vbAbort;
    const char* giveUpName = giveUp == vbCancel ? "Cancel" : "Abort";
    if (inputEnded_) {
        if (onAnswerNotPossible)
            onAnswerNotPossible(std::string("The script has no more lines to answer \"") + r.text +
                                "\": answered " + giveUpName);
        return giveUp;
    }
    if (answer != vbRetry) return answer;
    if (++defaultRetries_ <= kMaxDefaultRetries) return answer;
    defaultRetries_ = 0;
    if (onAnswerNotPossible)
        onAnswerNotPossible("\"" + r.text + "\" was answered Retry " +
                            std::to_string(kMaxDefaultRetries) +
                            " times with no answer queued: " + "answered " + giveUpName);
    return giveUp;
}

int ScriptedPrompter::MessageBox(const MessageBoxRequest& r) {
    int answer;
    if (!msg_.empty()) {
        answer = msg_.front();
        msg_.pop_front();
        defaultRetries_ = 0;
    } else {
        answer = UnqueuedAnswer(r);
    }
    PromptRecord rec{
        "msgbox", r.text, r.title, r.icon, r.buttons, r.defaultButton, std::to_string(answer)};
    record(rec, &r);
    return answer;
}

std::optional<std::string> ScriptedPrompter::InputBox(const InputBoxRequest& r) {
    std::optional<std::string> answer;
    if (!input_.empty()) {
        answer = input_.front();
        input_.pop_front();
    }
    record(
        {"input", r.prompt, r.title, MsgIcon::None, MsgButtons::OKCancel, 1, answer.value_or("")});
    return answer;
}

std::optional<OpenFileResult> ScriptedPrompter::OpenFile(const OpenFileRequest& r) {
    std::optional<std::vector<std::string>> answer;
    if (!open_.empty()) {
        answer = open_.front();
        open_.pop_front();
    }
    std::string joined;
    if (answer)
        for (auto& p : *answer) joined += (joined.empty() ? "" : ";") + p;
    record({"open", r.fileName, r.title, MsgIcon::None, MsgButtons::OKCancel, 1, joined});
    if (!answer) return std::nullopt;
    return OpenFileResult{*answer, r.filterIndex};
}

std::optional<ColorResult> ScriptedPrompter::ChooseColor(const ColorRequest& r) {
    std::optional<uint32_t> answer;
    if (!color_.empty()) {
        answer = color_.front();
        color_.pop_front();
    }
    record({"color", std::to_string(r.initial), r.title, MsgIcon::None, MsgButtons::OKCancel, 1,
            answer ? std::to_string(*answer) : ""});
    if (!answer) return std::nullopt;
    return ColorResult{*answer, r.customColors};
}

void ScriptedPrompter::Choose(const ChooseRequest& r) {
    std::optional<std::string> first;
    if (!choose_.empty()) first = choose_.front();
    PromptRecord rec{"choose", "", r.title, MsgIcon::None, MsgButtons::OK, 1, first.value_or("")};
    rec.items = r.items;
    rec.mode = r.mode;
    record(rec);
    if (!r.dialog) return;
    r.dialog->ShowModeless();
    // Each queued answer works the dialog once; a dialog that stays open (OK with no row in
    // choosing mode) takes the next answer, and is closed when none is left.
    for (int guard = 0; r.dialog->IsOpen() && guard < 100; ++guard) {
        if (choose_.empty()) break;
        std::optional<std::string> answer = choose_.front();
        choose_.pop_front();
        if (!answer) {
            r.dialog->CloseByUser();
        } else {
            if (!answer->empty() && !r.dialog->SelectRow(*answer) && onAnswerNotPossible)
                onAnswerNotPossible("The chooser shows no row \"" + *answer + "\"");
            r.dialog->ClickOK();
        }
    }
    if (r.dialog->IsOpen()) r.dialog->CloseByUser();
}

void ScriptedPrompter::About(const AboutRequest& r) {
    PromptRecord rec{"about", r.text, r.title, MsgIcon::None, MsgButtons::OK, 1, ""};
    rec.links = r.links;
    rec.interval = r.interval;
    rec.modeless = r.modeless;
    record(rec);
}

Prompter& Prompts() {
    if (!g_prompter) g_prompter = std::make_shared<DialogPrompter>();
    return *g_prompter;
}

void SetPrompter(std::shared_ptr<Prompter> p) {
    g_prompter = std::move(p);
}

int MsgBox(const std::string& text, MsgIcon icon, MsgButtons buttons, int defaultButton,
           const std::string& title) {
    return Prompts().MessageBox({text, icon, buttons, defaultButton, title});
}

}  // namespace ctl
