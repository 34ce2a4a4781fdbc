#include "platform/controls/SpinBar.h"

#include <QScrollBar>

namespace ctl {

namespace {
QScrollBar* Bar(QWidget* w) {
    return static_cast<QScrollBar*>(w);
}
}  // namespace

SpinBar::SpinBar(Widget& parent) : Widget(new QScrollBar(Qt::Vertical, parent.qwidget())) {
    auto* b = Bar(qwidget());
    // The maximum at the top, so the upper arrow counts up as a spin button should.
    b->setInvertedAppearance(true);
    b->setRange(-32000, 32000);
    b->setValue(0);
    b->setSingleStep(1);
    b->setPageStep(1);
    b->setFocusPolicy(Qt::TabFocus);
    QObject::connect(b, &QScrollBar::valueChanged, [this] {
        if (onChange) onChange();
    });
}

int SpinBar::Value() const {
    return qwidget() ? Bar(qwidget())->value() : 0;
}
void SpinBar::setValue(int v) {
    if (qwidget()) Bar(qwidget())->setValue(v);
}
int SpinBar::Min() const {
    return qwidget() ? Bar(qwidget())->minimum() : 0;
}
int SpinBar::Max() const {
    return qwidget() ? Bar(qwidget())->maximum() : 0;
}
void SpinBar::setRange(int min, int max) {
    if (qwidget()) Bar(qwidget())->setRange(min, max);
}
void SpinBar::Spin(int direction) {
    if (!qwidget() || !qwidget()->isEnabled() || direction == 0) return;
    Bar(qwidget())->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepAdd
                                                : QAbstractSlider::SliderSingleStepSub);
}

}  // namespace ctl
