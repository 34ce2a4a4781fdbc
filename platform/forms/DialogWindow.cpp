#include "platform/forms/DialogWindow.h"

#include <QCloseEvent>
#include <QDialog>

#include "platform/sys/EventLoop.h"

namespace ctl {

// The toolkit dialog: its close command and Esc go through the window's QueryUnload.
class DialogWindow::Impl : public QDialog {
  public:
    explicit Impl(DialogWindow& owner)
        : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), owner_(&owner) {}
    DialogWindow* owner_;

  protected:
    void closeEvent(QCloseEvent* e) override {
        if (owner_ && owner_->open_ && !owner_->requestClose(vbFormControlMenu))
            e->ignore();
        else
            e->accept();
    }
    void reject() override {
        if (owner_) owner_->requestClose(vbFormControlMenu);
    }
};

DialogWindow::DialogWindow() : Widget(new Impl(*this)) {
    d_ = static_cast<Impl*>(qwidget());
}

DialogWindow::~DialogWindow() {
    if (WindowAlive()) d_->owner_ = nullptr;
}

std::string DialogWindow::Caption() const {
    return qwidget()->windowTitle().toStdString();
}

void DialogWindow::setCaption(const std::string& text) {
    qwidget()->setWindowTitle(QString::fromStdString(text));
}

void DialogWindow::setClientSize(int widthTwips, int heightTwips) {
    qwidget()->setFixedSize(ToPxX(widthTwips), ToPxY(heightTwips));
}

void DialogWindow::ShowModal() {
    open_ = true;
    d_->setModal(true);
    d_->exec();
    // A window that the toolkit ended without our close (it never does) counts as closed.
    open_ = false;
}

void DialogWindow::ShowModeless() {
    open_ = true;
    d_->setModal(false);
    d_->show();
}

bool DialogWindow::requestClose(int mode) {
    if (!open_) return true;
    bool cancel = false;
    if (onQueryUnload) onQueryUnload(cancel, mode);
    if (cancel) return false;
    open_ = false;
    if (d_->isVisible()) d_->done(QDialog::Rejected);
    return true;
}

}  // namespace ctl
