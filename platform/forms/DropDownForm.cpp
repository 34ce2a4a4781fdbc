#include "platform/forms/DropDownForm.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QPointer>

namespace ctl {

class DropDownForm::Watcher : public QObject {
  public:
    explicit Watcher(DropDownForm& f) : f_(f) {}
    bool eventFilter(QObject*, QEvent* e) override {
        bool lost = e->type() == QEvent::WindowDeactivate && f_.modal_;
        // A pop-up hides itself when the user clicks elsewhere.
        // Activation that arrives for a pop-up already closed goes back where it was.
        if (e->type() == QEvent::WindowActivate && !f_.IsShown()) f_.giveBackActivation();
        bool closedItself = e->type() == QEvent::Hide && !f_.hiding_;
        if (closedItself) f_.giveBackActivation();
        if ((lost || closedItself) && f_.onDeactivate) f_.onDeactivate();
        return false;
    }

  private:
    DropDownForm& f_;
};

namespace {
QFrame* MakeWindow() {
    auto* f = new QFrame(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    // One dark line around the rows, as drop-down lists have.
    f->setFrameStyle(QFrame::Box | QFrame::Plain);
    f->setLineWidth(1);
    // The form under it stays the active window; the pop-up takes the keys all the same.
    f->setAttribute(Qt::WA_ShowWithoutActivating);
    return f;
}
}  // namespace

DropDownForm::DropDownForm()
    : Widget(MakeWindow()),
      watcher_(std::make_unique<Watcher>(*this)),
      previous_(std::make_unique<QPointer<QWidget>>()) {
    qwidget()->installEventFilter(watcher_.get());
}

DropDownForm::~DropDownForm() {
    if (!qwidget()) return;
    qwidget()->removeEventFilter(watcher_.get());
    // Closed before it goes, while the window that gets the focus back is still whole.
    hiding_ = true;
    qwidget()->hide();
}

bool DropDownForm::Show() {
    QWidget* w = qwidget();
    if (!w) return false;
    modal_ = false;
    QWidget* active = QApplication::activeWindow();
    if (active != w) *previous_ = active;
    w->setWindowModality(Qt::NonModal);
    w->show();
    if (!w->isVisible()) {
        // The fallback: an ordinary window above the others that keeps the rest of the
        // application from taking input while it is open.
        w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        w->setWindowModality(Qt::ApplicationModal);
        modal_ = true;
        w->show();
        w->activateWindow();
    }
    w->raise();
    return w->isVisible();
}

void DropDownForm::Hide() {
    if (!qwidget()) return;
    hiding_ = true;
    qwidget()->hide();
    hiding_ = false;
    giveBackActivation();
    if (modal_) {
        qwidget()->setWindowModality(Qt::NonModal);
        qwidget()->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
        modal_ = false;
    }
}

// Some window systems leave a closed pop-up as the active window; the window that was active
// before it opened takes activation (and so its focused child the keys) back.
void DropDownForm::giveBackActivation() {
    QWidget* before = *previous_;
    if (before && before->isVisible() && QApplication::activeWindow() != before)
        before->activateWindow();
}

bool DropDownForm::IsShown() const {
    return qwidget() && qwidget()->isVisible();
}

bool DropDownForm::ContainsFocus() const {
    QWidget* f = QApplication::focusWidget();
    return qwidget() && f && (f == qwidget() || qwidget()->isAncestorOf(f));
}

}  // namespace ctl
