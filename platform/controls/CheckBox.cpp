#include "platform/controls/CheckBox.h"

#include <QCheckBox>

namespace ctl {

namespace {
QCheckBox* Box(QWidget* w) {
    return static_cast<QCheckBox*>(w);
}
}  // namespace

CheckBox::CheckBox(Widget& parent) : Widget(new QCheckBox(parent.qwidget())) {
    ownClick_ = true;
    QObject::connect(Box(qwidget()), &QCheckBox::toggled, [this] {
        if (onClick) onClick();
    });
}

std::string CheckBox::Caption() const {
    return qwidget() ? Box(qwidget())->text().toStdString() : std::string();
}
void CheckBox::setCaption(const std::string& t) {
    if (qwidget()) Box(qwidget())->setText(QString::fromStdString(t));
}
int CheckBox::Value() const {
    return qwidget() && Box(qwidget())->isChecked() ? 1 : 0;
}
void CheckBox::setValue(int v) {
    if (qwidget()) Box(qwidget())->setChecked(v != 0);
}
void CheckBox::Click() {
    if (qwidget()) Box(qwidget())->click();
}

}  // namespace ctl
