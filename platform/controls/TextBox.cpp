#include "platform/controls/TextBox.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>
#include <limits>

namespace ctl {

namespace {
// No limit: the line edit's own default (32,767) would cut longer texts typed or set.
constexpr int kNoLimit = std::numeric_limits<int>::max();

// Characters a key may type into the line as they stand: printable ones (a pair of halves
// counts as one), without Ctrl, Alt or Meta, which make keys into commands.
bool PlainCharacters(const QKeyEvent* e) {
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString t = e->text();
    if (t.isEmpty()) return false;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (!t[i].isPrint()) return false;
    }
    return true;
}

// Tells its owner of the focus after the line edit's own handling.
//
// Typed characters wait and go into the line in one insertion: the line edit lays its whole
// line out again on every change, so a long run typed one character at a time would cost the
// square of its length. Anything else that reaches the line (another key, the mouse, a paint,
// the focus leaving, the event loop, or a read or write through the TextBox) puts the waiting
// characters in first, so no one sees the line without them.
class LineEdit : public QLineEdit {
  public:
    LineEdit(QWidget* parent, std::function<void()> gotFocus)
        : QLineEdit(parent), gotFocus_(std::move(gotFocus)) {}

    LineEdit* withTypedText() {
        putTypedText();
        return this;
    }
    // The owner is going: characters still waiting go in now, and nobody is told of the focus.
    void ownerGone() {
        putTypedText();
        gotFocus_ = [] {};
    }

  protected:
    bool event(QEvent* e) override {
        switch (e->type()) {
            case QEvent::KeyPress:  // see keyPressEvent
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
                break;
            default:
                putTypedText();
        }
        return QLineEdit::event(e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        if (!isReadOnly() && PlainCharacters(e)) {
            if (typed_.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this] { putTypedText(); }, Qt::QueuedConnection);
            typed_ += e->text();
            e->accept();
            return;
        }
        putTypedText();
        QLineEdit::keyPressEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override {
        QLineEdit::focusInEvent(e);
        gotFocus_();
    }

  private:
    void putTypedText() {
        if (typed_.isEmpty()) return;
        QString text;
        text.swap(typed_);  // the change handlers may type again
        insert(text);
    }
    std::function<void()> gotFocus_;
    QString typed_;
};

// The line edit with every typed character in place.
QLineEdit* Edit(QWidget* w) {
    return static_cast<LineEdit*>(w)->withTypedText();
}
}  // namespace

TextBox::TextBox(Widget& parent)
    : Widget(new LineEdit(parent.qwidget(), [this] {
          if (onGotFocus) onGotFocus();
      })) {
    ownFocusIn_ = true;
    auto* e = Edit(qwidget());
    e->setFrame(true);
    e->setMaxLength(kNoLimit);
    QObject::connect(e, &QLineEdit::textChanged, [this] {
        if (onChange) onChange();
    });
}

TextBox::~TextBox() {
    if (auto* e = static_cast<LineEdit*>(qwidget())) {
        onChange = nullptr;
        e->ownerGone();
        QObject::disconnect(e, &QLineEdit::textChanged, nullptr, nullptr);
    }
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

int TextBox::MaxLength() const {
    int m = Edit(qwidget())->maxLength();
    return m >= kNoLimit ? 0 : m;
}
void TextBox::setMaxLength(int length) {
    Edit(qwidget())->setMaxLength(length <= 0 ? kNoLimit : length);
}

int TextBox::PreferredHeight() const {
    // One line of text, the sunken border of two pixels and a pixel of room above and below.
    return (QFontMetrics(qwidget()->font()).height() + 6) * TwipsY();
}

}  // namespace ctl
