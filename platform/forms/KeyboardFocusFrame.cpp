#include "platform/forms/KeyboardFocusFrame.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace ctl {

// Watches the focus of the control and of its surface.
class KeyboardFocusFrame::Watch : public QObject {
  public:
    explicit Watch(KeyboardFocusFrame& f) : f_(f) {}
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
            case QEvent::FocusIn: {
                const Qt::FocusReason r = static_cast<QFocusEvent*>(e)->reason();
                if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
                    r == Qt::ShortcutFocusReason)
                    f_.Show();
                break;
            }
            case QEvent::FocusOut:
                // Focus moving between the control and its surface keeps the frame.
                if (!f_.ControlHasFocus()) f_.frame_.Erase();
                break;
            case QEvent::Resize:
                if (f_.frame_.Shown()) f_.Show();
                break;
            default:
                break;
        }
        return false;
    }

  private:
    KeyboardFocusFrame& f_;
};

KeyboardFocusFrame::KeyboardFocusFrame(Widget& control, Widget& surface)
    : control_(control),
      surface_(surface),
      frame_(surface),
      watch_(std::make_unique<Watch>(*this)) {
    for (Widget* w : {&control_, &surface_})
        if (w->qwidget()) w->qwidget()->installEventFilter(watch_.get());
}

KeyboardFocusFrame::~KeyboardFocusFrame() {
    for (Widget* w : {&control_, &surface_})
        if (w->qwidget()) w->qwidget()->removeEventFilter(watch_.get());
}

bool KeyboardFocusFrame::ControlHasFocus() const {
    QWidget* f = QApplication::focusWidget();
    QWidget* c = control_.qwidget();
    return f && c && (f == c || c->isAncestorOf(f));
}

void KeyboardFocusFrame::KeyboardUsed() {
    if (ControlHasFocus()) Show();
}

void KeyboardFocusFrame::Show() {
    const int w = surface_.Width(), h = surface_.Height();
    const int px = Widget::TwipsX(), py = Widget::TwipsY();
    // One pixel inside the surface, clear of a border.
    frame_.Draw(px, py, std::max(0, w - 2 * px), std::max(0, h - 2 * py));
}

}  // namespace ctl
