#include "platform/controls/Label.h"

#include <QFontMetrics>
#include <QLabel>

namespace ctl {

namespace {
QLabel* Lbl(QWidget* w) {
    return static_cast<QLabel*>(w);
}
}  // namespace

Label::Label(Widget& parent) : Widget(new QLabel(parent.qwidget())) {
    Lbl(qwidget())->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Lbl(qwidget())->setTextFormat(Qt::PlainText);
    qwidget()->setMouseTracking(true);  // moves without a button pressed reach onMouseMove too
}

std::string Label::Caption() const {
    return Lbl(qwidget())->text().toStdString();
}
void Label::setCaption(const std::string& t) {
    Lbl(qwidget())->setText(QString::fromStdString(t));
}

void Label::setAlignment(int a) {
    alignment_ = a;
    Qt::Alignment h = a == 1 ? Qt::AlignRight : a == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    Lbl(qwidget())->setAlignment(h | Qt::AlignVCenter);
}

void Label::setBackStyle(int s) {
    backStyle_ = s == 0 ? 0 : 1;
    qwidget()->setAutoFillBackground(backStyle_ == 1);
    qwidget()->update();
}

void Label::setBorderStyle(int s) {
    borderStyle_ = s == 1 ? 1 : 0;
    Lbl(qwidget())->setFrameStyle(borderStyle_ ? QFrame::StyledPanel | QFrame::Sunken
                                               : QFrame::NoFrame);
}

void Label::FitToText() {
    if (!qwidget()) return;
    const QSize need = QFontMetrics(qwidget()->font()).size(0, Lbl(qwidget())->text());
    const int frame = 2 * Lbl(qwidget())->frameWidth();
    qwidget()->resize(need.width() + frame, need.height() + frame);
}

int Label::TextHeight() const {
    return QFontMetrics(qwidget()->font()).height() * TwipsY();
}

}  // namespace ctl
