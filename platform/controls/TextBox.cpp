#include "platform/controls/TextBox.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace ctl {

namespace {
QLineEdit* Edit(QWidget* w) {
    return static_cast<QLineEdit*>(w);
}

// Tells its owner of the focus after the line edit's own handling.
class LineEdit : public QLineEdit {
  public:
    LineEdit(QWidget* parent, std::function<void()> gotFocus)
        : QLineEdit(parent), gotFocus_(std::move(gotFocus)) {}

  protected:
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        gotFocus_();
    }

  private:
    std::function<void()> gotFocus_;
};
}  // namespace

TextBox::TextBox(Widget& parent)
    : Widget(new LineEdit(parent.qwidget(), [this] {
          if (onGotFocus) onGotFocus();
      })) {
    ownFocusIn_ = true;
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

namespace {
constexpr int kToolkitNoLimit = 32767;  // the line edit's own "unlimited"
}
int TextBox::MaxLength() const {
    int m = Edit(qwidget())->maxLength();
    return m >= kToolkitNoLimit ? 0 : m;
}
void TextBox::setMaxLength(int length) {
    Edit(qwidget())->setMaxLength(length <= 0 ? kToolkitNoLimit
                                              : std::min(length, kToolkitNoLimit));
}

int TextBox::PreferredHeight() const {
    // One line of text, the sunken border of two pixels and a pixel of room above and below.
    return (QFontMetrics(qwidget()->font()).height() + 6) * TwipsY();
}

}  // namespace ctl
