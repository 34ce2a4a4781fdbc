#include "platform/forms/PushButton.h"

#include <QPushButton>

namespace ctl {

namespace {
QPushButton* Btn(QWidget* w) {
    return static_cast<QPushButton*>(w);
}
}  // namespace

PushButton::PushButton(Widget& parent) : Widget(new QPushButton(parent.qwidget())) {
    QObject::connect(Btn(qwidget()), &QPushButton::clicked, [this] {
        if (onPress) onPress();
    });
}

std::string PushButton::Caption() const {
    return Btn(qwidget())->text().toStdString();
}

void PushButton::setCaption(const std::string& text) {
    Btn(qwidget())->setText(QString::fromStdString(text));
}

void PushButton::setDefault(bool on) {
    Btn(qwidget())->setDefault(on);
}

void PushButton::Click() {
    Btn(qwidget())->click();
}

}  // namespace ctl
