#include "platform/forms/DialogForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/controls/CommandButton.h"
#include "platform/sys/EventLoop.h"

namespace ctl {

// The toolkit window: reports close requests and takes the Esc key no child used.
class DialogForm::Window : public QWidget {
  public:
    explicit Window(DialogForm& owner)
        : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                               Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
          owner_(owner) {}

  protected:
    void closeEvent(QCloseEvent* e) override {
        owner_.closing(!owner_.byCode_);
        e->accept();
    }
    void hideEvent(QHideEvent* e) override {
        if (owner_.loop_) owner_.loop_->quit();
        QWidget::hideEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
            owner_.escape();
            e->accept();
            return;
        }
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && owner_.default_) {
            owner_.press(owner_.default_);
            e->accept();
            return;
        }
        QWidget::keyPressEvent(e);
    }

  private:
    DialogForm& owner_;
};

DialogForm::DialogForm() : Widget(new Window(*this)) {
    Widget::setBackColor(0xC0C0C0);
}

DialogForm::~DialogForm() = default;

std::string DialogForm::Caption() const {
    return qwidget() ? qwidget()->windowTitle().toStdString() : std::string();
}
void DialogForm::setCaption(const std::string& t) {
    if (qwidget()) qwidget()->setWindowTitle(QString::fromStdString(t));
}
void DialogForm::setClientSize(int width, int height) {
    if (qwidget()) qwidget()->setFixedSize(ToPxX(width), ToPxY(height));
}
void DialogForm::setTopmost(bool on) {
    topmost_ = on;
    if (qwidget()) {
        bool shown = qwidget()->isVisible();
        qwidget()->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (shown) qwidget()->show();  // changing the flags hides a window
    }
}

void DialogForm::ShowModal() {
    QWidget* w = qwidget();
    if (!w || w->isVisible()) return;
    w->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QEventLoop* outer = loop_;
    loop_ = &loop;
    ++waiting_;
    ShowModeless();
    if (IsShown()) loop.exec(QEventLoop::DialogExec);
    --waiting_;
    loop_ = outer;
    if (qwidget()) qwidget()->setWindowModality(Qt::NonModal);
}

void DialogForm::ShowModeless() {
    QWidget* w = qwidget();
    if (!w) return;
    // Each showing starts at the first control in tab order, as a freshly loaded form does.
    if (QWidget* f = w->focusWidget()) f->clearFocus();
    w->show();
    w->raise();
    w->activateWindow();
    // Active at once (the window system may tell it later): its first field takes the focus
    // before anything else runs.
    QApplication::setActiveWindow(w);
    if (!w->focusWidget()) {
        QWidget* first = w->nextInFocusChain();
        while (first != w && !(first->isEnabled() && first->isVisibleTo(w) &&
                               (first->focusPolicy() & Qt::TabFocus)))
            first = first->nextInFocusChain();
        if (first != w) first->setFocus(Qt::TabFocusReason);
    }
}

void DialogForm::WaitWhileShown(const std::function<bool()>& keepWaiting) {
    ++waiting_;
    struct Leave {
        int& n;
        ~Leave() { --n; }
    } leave{waiting_};
    while (IsShown() && keepWaiting()) RestEvents(4);
}

bool DialogForm::IsShown() const {
    return qwidget() && qwidget()->isVisible();
}

void DialogForm::Close() {
    if (!IsShown()) return;
    byCode_ = true;
    qwidget()->close();
    byCode_ = false;
}

void DialogForm::CloseCommand() {
    if (IsShown()) qwidget()->close();
}

void DialogForm::closing(bool fromCloseCommand) {
    if (onQueryUnload) onQueryUnload(fromCloseCommand);
}

void DialogForm::escape() {
    press(cancel_);
}

void DialogForm::press(CommandButton* button) {
    if (button && button->Enabled() && button->Visible()) button->Click();
}

}  // namespace ctl
