#include "platform/forms/Dialog.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>

#include "platform/forms/CommandButton.h"

namespace ctl {

namespace {
QDialog* Dlg(QWidget* w) {
    return static_cast<QDialog*>(w);
}
}  // namespace

// Enter and Esc go to the dialog's own buttons; closing tells the owner.
class Dialog::Keys : public QObject {
  public:
    explicit Keys(Dialog& d) : d_(d) {}
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (obj != d_.qwidget()) return false;
        if (e->type() == QEvent::Close) {
            if (d_.onClosing) d_.onClosing();
            return false;
        }
        if (e->type() != QEvent::KeyPress) return false;
        auto* ke = static_cast<QKeyEvent*>(e);
        CommandButton* b = nullptr;
        if (ke->key() == Qt::Key_Escape)
            b = d_.cancel_;
        else if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter)
            b = d_.default_;
        if (!b) return ke->key() == Qt::Key_Escape;  // Esc without a cancel button does nothing
        b->Click();
        return true;
    }

  private:
    Dialog& d_;
};

Dialog::Dialog() : Widget(new QDialog(nullptr)), keys_(std::make_unique<Keys>(*this)) {
    qwidget()->installEventFilter(keys_.get());
    qwidget()->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

Dialog::~Dialog() {
    if (qwidget()) qwidget()->removeEventFilter(keys_.get());
}

std::string Dialog::Caption() const {
    return qwidget() ? qwidget()->windowTitle().toStdString() : std::string();
}
void Dialog::setCaption(const std::string& t) {
    if (qwidget()) qwidget()->setWindowTitle(QString::fromStdString(t));
}
void Dialog::setClientSize(int w, int h) {
    if (qwidget()) qwidget()->setFixedSize(ToPxX(w), ToPxY(h));
}

void Dialog::ShowModal() {
    if (!qwidget()) return;
    Dlg(qwidget())->setModal(true);
    Dlg(qwidget())->exec();
}
void Dialog::ShowModeless() {
    if (!qwidget()) return;
    Dlg(qwidget())->setModal(false);
    qwidget()->show();
}
void Dialog::Close() {
    if (qwidget() && qwidget()->isVisible()) qwidget()->close();
}
bool Dialog::IsOpen() const {
    return qwidget() && qwidget()->isVisible();
}

}  // namespace ctl
