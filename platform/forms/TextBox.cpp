#include "platform/forms/TextBox.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace ctl {

namespace {
QLineEdit* Edit(QWidget* w) {
    return static_cast<QLineEdit*>(w);
}
}  // namespace

TextBox::TextBox(Widget& parent) : Widget(new QLineEdit(parent.qwidget())) {
    auto* e = Edit(qwidget());
    e->setFrame(true);
    QObject::connect(e, &QLineEdit::textChanged, [this] {
        if (onChange) onChange();
    });
}

std::string TextBox::Text() const {
    return Edit(qwidget())->text().toStdString();
}
void TextBox::setText(const std::string& t) {
    Edit(qwidget())->setText(QString::fromStdString(t));
}

int TextBox::SelStart() const {
    auto* e = Edit(qwidget());
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}
void TextBox::setSelStart(int pos) {
    auto* e = Edit(qwidget());
    e->setCursorPosition(std::clamp(pos, 0, int(e->text().size())));
}
int TextBox::SelLength() const {
    return int(Edit(qwidget())->selectedText().size());
}
void TextBox::setSelLength(int length) {
    auto* e = Edit(qwidget());
    int start = SelStart();
    int len = std::clamp(length, 0, int(e->text().size()) - start);
    if (len > 0)
        e->setSelection(start, len);
    else
        e->deselect();
}

bool TextBox::Locked() const {
    return Edit(qwidget())->isReadOnly();
}
void TextBox::setLocked(bool on) {
    Edit(qwidget())->setReadOnly(on);
}

int TextBox::PreferredHeight() const {
    // One line of text, the sunken border of two pixels and a pixel of room above and below.
    return (QFontMetrics(qwidget()->font()).height() + 6) * TwipsY();
}

}  // namespace ctl
