#include "platform/forms/DropDownForm.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ctl {

class DropDownForm::Watcher : public QObject {
  public:
    explicit Watcher(DropDownForm& f) : f_(f) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowDeactivate && f_.onDeactivate) f_.onDeactivate();
        return false;
    }

  private:
    DropDownForm& f_;
};

DropDownForm::DropDownForm()
    : Widget(new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)),
      watcher_(std::make_unique<Watcher>(*this)) {
    qwidget()->installEventFilter(watcher_.get());
}

DropDownForm::~DropDownForm() {
    qwidget()->removeEventFilter(watcher_.get());
}

void DropDownForm::Show() {
    qwidget()->show();
    qwidget()->raise();
    qwidget()->activateWindow();
}
void DropDownForm::Hide() {
    qwidget()->hide();
}
bool DropDownForm::IsShown() const {
    return qwidget()->isVisible();
}
bool DropDownForm::ContainsFocus() const {
    QWidget* f = QApplication::focusWidget();
    return f && (f == qwidget() || qwidget()->isAncestorOf(f));
}

}  // namespace ctl
