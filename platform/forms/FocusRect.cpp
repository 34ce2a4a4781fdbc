#include "platform/forms/FocusRect.h"

#include <QPainter>
#include <QWidget>

namespace ctl {

namespace {
class DottedFrame : public QWidget {
  public:
    explicit DottedFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // Alternate pixels, as the window system's focus mark.
        for (int x = 0; x < width(); x += 2) {
            p.drawPoint(x, 0);
            p.drawPoint(x, height() - 1);
        }
        for (int y = 0; y < height(); y += 2) {
            p.drawPoint(0, y);
            p.drawPoint(width() - 1, y);
        }
    }
};
}  // namespace

FocusRect::FocusRect(Widget& surface) : Widget(new DottedFrame(surface.qwidget())) {
    qwidget()->setAutoFillBackground(false);
    qwidget()->hide();
}

void FocusRect::Draw(int left, int top, int width, int height) {
    Move(left, top, width, height);
    qwidget()->show();
    qwidget()->raise();
    qwidget()->update();
}

void FocusRect::Erase() {
    qwidget()->hide();
}

}  // namespace ctl
