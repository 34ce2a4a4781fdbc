#include "platform/controls/CommandButton.h"

#include <QPushButton>

namespace ctl {

namespace {
QPushButton* Btn(QWidget* w) {
    return static_cast<QPushButton*>(w);
}
}  // namespace

CommandButton::CommandButton(Widget& parent) : Widget(new QPushButton(parent.qwidget())) {
    ownClick_ = true;
    Btn(qwidget())->setAutoDefault(false);
    QObject::connect(Btn(qwidget()), &QPushButton::clicked, [this] {
        if (onClick) onClick();
    });
}

std::string CommandButton::Caption() const {
    return qwidget() ? Btn(qwidget())->text().toStdString() : std::string();
}
void CommandButton::setCaption(const std::string& t) {
    if (qwidget()) Btn(qwidget())->setText(QString::fromStdString(t));
}
void CommandButton::setDefault(bool on) {
    default_ = on;
    if (qwidget()) Btn(qwidget())->setDefault(on);
}
void CommandButton::Click() {
    if (qwidget() && qwidget()->isEnabled()) Btn(qwidget())->click();
}

}  // namespace ctl
