#include "platform/forms/Widget.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "platform/com/Handles.h"
#include "platform/forms/WidgetImpl.h"
#include "platform/forms/WindowHandles.h"
#include "platform/graphics/PictureImpl.h"
#include "platform/graphics/SurfaceLimits.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Screen.h"

namespace ctl {

QFont ToQFont(const Font& f) {
    QFont q(QString::fromStdString(f.Name));
    q.setPointSizeF(f.Size > 0 ? f.Size : 8);
    q.setBold(f.Bold);
    q.setItalic(f.Italic);
    q.setUnderline(f.Underline);
    q.setStrikeOut(f.Strikethrough);
    return q;
}

int VirtualKeyOf(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // same codes
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Menu:
            return 93;  // the context-menu key
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        default:
            break;
    }
    // Punctuation keys report the code of their key on a US keyboard, never a code that other
    // keys own ("%" is 37 like the left arrow, "-" 45 like Insert).
    if (k > 0x20 && k < 0x7F) {
        static const char* const shifted = ")!@#$%^&*(";
        if (const char* p = std::strchr(shifted, k)) return '0' + int(p - shifted);
        switch (k) {
            case ';':
            case ':':
                return 186;
            case '=':
            case '+':
                return 187;
            case ',':
            case '<':
                return 188;
            case '-':
            case '_':
                return 189;
            case '.':
            case '>':
                return 190;
            case '/':
            case '?':
                return 191;
            case '`':
            case '~':
                return 192;
            case '[':
            case '{':
                return 219;
            case '\\':
            case '|':
                return 220;
            case ']':
            case '}':
                return 221;
            case '\'':
            case '"':
                return 222;
            default:
                break;
        }
    }
    return k & 0xFFFF;
}

int QtKeyOf(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    if (vk >= 112 && vk <= 135) return Qt::Key_F1 + (vk - 112);
    switch (vk) {
        case 13:
            return Qt::Key_Return;
        case 27:
            return Qt::Key_Escape;
        case 93:
            return Qt::Key_Menu;
        case 9:
            return Qt::Key_Tab;
        case 8:
            return Qt::Key_Backspace;
        case 32:
            return Qt::Key_Space;
        case 33:
            return Qt::Key_PageUp;
        case 34:
            return Qt::Key_PageDown;
        case 35:
            return Qt::Key_End;
        case 36:
            return Qt::Key_Home;
        case 37:
            return Qt::Key_Left;
        case 38:
            return Qt::Key_Up;
        case 39:
            return Qt::Key_Right;
        case 40:
            return Qt::Key_Down;
        case 45:
            return Qt::Key_Insert;
        case 46:
            return Qt::Key_Delete;
        case 16:
            return Qt::Key_Shift;
        case 17:
            return Qt::Key_Control;
        case 18:
            return Qt::Key_Alt;
        default:
            return vk;
    }
}

namespace {
int ShiftOf(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}
int ButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return vbLeftButton;
        case Qt::RightButton:
            return vbRightButton;
        case Qt::MiddleButton:
            return vbMiddleButton;
        default:
            return 0;
    }
}
int ButtonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton) r |= vbLeftButton;
    if (b & Qt::RightButton) r |= vbRightButton;
    if (b & Qt::MiddleButton) r |= vbMiddleButton;
    return r;
}
}  // namespace

// Turns toolkit events of the window into the control-style callbacks.
class Widget::Filter : public QObject {
  public:
    explicit Filter(Widget& w) : w_(w) {}
    bool eventFilter(QObject* obj, QEvent* e) override {
        // Input comes from the window that takes it, sizes from the window itself.
        const bool own = obj == w_.w_;
        const bool input = obj == (w_.input_ ? w_.input_ : w_.w_);
        if (!own && !input) return false;
        if (!input && e->type() != QEvent::Resize) return false;
        if (!own && e->type() == QEvent::Resize) return false;
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseMove:
            case QEvent::MouseButtonDblClick: {
                auto* me = static_cast<QMouseEvent*>(e);
                float x = float((me->position().x() - w_.clientOffsetPx_) * TwipsX());
                float y = float((me->position().y() - w_.clientOffsetPx_) * TwipsY());
                int shift = ShiftOf(me->modifiers());
                if (e->type() == QEvent::MouseButtonPress && w_.onMouseDown)
                    w_.onMouseDown(ButtonOf(me->button()), shift, x, y);
                else if (e->type() == QEvent::MouseButtonRelease) {
                    if (w_.onMouseUp) w_.onMouseUp(ButtonOf(me->button()), shift, x, y);
                    if (me->button() == Qt::LeftButton && w_.onClick && !w_.ownClick_) w_.onClick();
                } else if (e->type() == QEvent::MouseMove && w_.onMouseMove)
                    w_.onMouseMove(ButtonsOf(me->buttons()), shift, x, y);
                else if (e->type() == QEvent::MouseButtonDblClick && w_.onDblClick)
                    w_.onDblClick();
                return false;
            }
            case QEvent::KeyPress: {
                if (substituting_) return false;  // a character a handler put in, see below
                auto* ke = static_cast<QKeyEvent*>(e);
                int code = VirtualKeyOf(ke->key()), shift = ShiftOf(ke->modifiers());
                if (w_.onKeyDown) {
                    w_.onKeyDown(code, shift);
                    if (code == 0) return true;  // the handler swallowed the key
                }
                if (w_.onKeyPress && !ke->text().isEmpty()) {
                    int ascii = ke->text().at(0).unicode();
                    if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) ascii = 13;
                    const int typed = ascii;
                    w_.onKeyPress(ascii);
                    if (ascii == 0) return true;
                    // Handlers see 16-bit codes (a character beyond them as the first half of
                    // its pair): a code that comes back the same in 16 bits is unchanged, and
                    // the window gets the whole character.
                    if (uint16_t(ascii) != uint16_t(typed) && w_.w_) {
                        auto* receiver = static_cast<QWidget*>(obj);
                        // The handler changed the character: the window gets that one instead.
                        substituting_ = true;
                        ascii = uint16_t(ascii);
                        int key = ascii >= 'a' && ascii <= 'z' ? ascii - 32 : QtKeyOf(ascii);
                        QKeyEvent sub(QEvent::KeyPress, key, ke->modifiers(),
                                      ascii == 13 ? QString("\r") : QString(QChar(ascii)));
                        QApplication::sendEvent(receiver, &sub);
                        substituting_ = false;
                        return true;
                    }
                }
                return false;
            }
            case QEvent::KeyRelease: {
                auto* ke = static_cast<QKeyEvent*>(e);
                int code = VirtualKeyOf(ke->key()), shift = ShiftOf(ke->modifiers());
                if (w_.onKeyUp) w_.onKeyUp(code, shift);
                return code == 0;
            }
            case QEvent::Resize:
                if (w_.onResize) w_.onResize();
                return false;
            case QEvent::FocusIn:
                if (w_.onGotFocus && !w_.ownFocusIn_) w_.onGotFocus();
                return false;
            case QEvent::FocusOut:
                if (w_.onLostFocus) w_.onLostFocus();
                return false;
            default:
                return false;
        }
    }

  private:
    Widget& w_;
    bool substituting_ = false;
};

namespace {
std::unordered_map<int32_t, Widget*>& LiveWindows() {
    static std::unordered_map<int32_t, Widget*> windows;
    return windows;
}
}  // namespace

Widget* WidgetFromHandle(int32_t hwnd) {
    auto it = LiveWindows().find(hwnd);
    return it != LiveWindows().end() && it->second->qwidget() ? it->second : nullptr;
}

Widget::Widget(QWidget* w) : w_(w), hwnd_(NewHandle()), filter_(std::make_unique<Filter>(*this)) {
    EnsureApplication();
    LiveWindows()[hwnd_] = this;
    w_->installEventFilter(filter_.get());
    w_->setProperty("ctlHandle", hwnd_);
    w_->setProperty("ctlWidget", QVariant::fromValue(static_cast<void*>(this)));
    w_->setAutoFillBackground(true);
    // A parent window may delete this one first; forget it then.
    QObject::connect(w_, &QObject::destroyed, filter_.get(), [this] { w_ = nullptr; });
}

void Widget::adoptInput(QWidget* inner) {
    if (!w_ || !inner) return;
    input_ = inner;
    inner->installEventFilter(filter_.get());
    inner->setProperty("ctlHandle", hwnd_);
    inner->setProperty("ctlWidget", QVariant::fromValue(static_cast<void*>(this)));
    w_->setFocusProxy(inner);
    QObject::connect(inner, &QObject::destroyed, filter_.get(), [this] { input_ = nullptr; });
}

void Widget::releaseInput() {
    QWidget* inner = input_;
    if (!inner) return;
    input_ = nullptr;
    inner->removeEventFilter(filter_.get());
    inner->setProperty("ctlWidget", QVariant());
    inner->setProperty("ctlHandle", QVariant());
    QObject::disconnect(inner, &QObject::destroyed, filter_.get(), nullptr);
    if (w_) w_->setFocusProxy(nullptr);
}

Widget::~Widget() {
    LiveWindows().erase(hwnd_);
    if (w_) {
        w_->setProperty("ctlWidget", QVariant());
        QWidget* w = w_;
        w->removeEventFilter(filter_.get());
        // Only this window's own watch goes: others (the accessibility cache, the window
        // registry) must still hear that the window is gone.
        QObject::disconnect(w, &QObject::destroyed, filter_.get(), nullptr);
        delete w;
    }
}

std::string Widget::Name() const {
    return w_ ? w_->objectName().toStdString() : std::string();
}

void Widget::setName(const std::string& name) {
    if (w_) w_->setObjectName(QString::fromStdString(name));
}

Widget* Widget::FromQWidget(QWidget* w) {
    return w ? static_cast<Widget*>(w->property("ctlWidget").value<void*>()) : nullptr;
}

Widget* Widget::Focused() {
    return FromQWidget(QApplication::focusWidget());
}

bool Widget::Contains(const Widget& other) const {
    return w_ && other.w_ && (w_ == other.w_ || w_->isAncestorOf(other.w_));
}

Widget* Widget::FindChild(const std::string& name) const {
    if (!w_) return nullptr;
    const QString wanted = QString::fromStdString(name);
    for (QWidget* c : w_->findChildren<QWidget*>())
        if (c->objectName().compare(wanted, Qt::CaseInsensitive) == 0)
            if (Widget* found = FromQWidget(c)) return found;
    return nullptr;
}

int Widget::TwipsX() {
    static int t = Screen::TwipsPerPixelX();
    return t;
}
int Widget::TwipsY() {
    static int t = Screen::TwipsPerPixelY();
    return t;
}
namespace {
// Positions and sizes are bounded before anything computes with them. A window further out
// than this many pixels stops there (it is off every screen either way), so twips read back
// from it, and sums of them, stay far inside the integers.
constexpr int kMaxPlacePx = 1 << 24;

int ToBoundedPx(double twips, int perPixel) {
    const double px = std::isnan(twips) ? 0.0 : twips / perPixel;
    return int(std::lround(std::clamp(px, double(-kMaxPlacePx), double(kMaxPlacePx))));
}

// A form is backed by an image of its whole area, so it is no larger than a drawing surface;
// a child window draws only what its form shows.
QSize BoundedSize(const QWidget* w, int widthPx, int heightPx) {
    widthPx = std::max(0, widthPx);
    heightPx = std::max(0, heightPx);
    if (w->isWindow() && widthPx > 0 && heightPx > 0) LimitSurfaceSize(widthPx, heightPx);
    return {widthPx, heightPx};
}
}  // namespace

int Widget::ToPxX(double twips) {
    return ToBoundedPx(twips, TwipsX());
}
int Widget::ToPxY(double twips) {
    return ToBoundedPx(twips, TwipsY());
}

int Widget::Left() const {
    if (!w_) return 0;
    return w_->x() * TwipsX();
}
int Widget::Top() const {
    if (!w_) return 0;
    return w_->y() * TwipsY();
}
int Widget::Width() const {
    if (!w_) return 0;
    return w_->width() * TwipsX();
}
int Widget::Height() const {
    if (!w_) return 0;
    return w_->height() * TwipsY();
}
void Widget::setLeft(int t) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->move(ToPxX(t), w_->y());
}
void Widget::setTop(int t) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->move(w_->x(), ToPxY(t));
}
void Widget::setWidth(int t) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->resize(BoundedSize(w_, ToPxX(t), w_->height()));
}
void Widget::setHeight(int t) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->resize(BoundedSize(w_, w_->width(), ToPxY(t)));
}
void Widget::Move(int l, int t, int w, int h) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->setGeometry(QRect(QPoint(ToPxX(l), ToPxY(t)), BoundedSize(w_, ToPxX(w), ToPxY(h))));
}

Widget::RectPx Widget::WindowRect() const {
    if (!w_) return {0, 0, 0, 0};
    QPoint p = w_->mapToGlobal(QPoint(0, 0));
    return {p.x(), p.y(), p.x() + w_->width(), p.y() + w_->height()};
}

bool Widget::Visible() const {
    if (!w_) return false;
    return !w_->isHidden();
}
void Widget::setVisible(bool on) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->setVisible(on);
}
bool Widget::Enabled() const {
    if (!w_) return false;
    return w_->isEnabled();
}
void Widget::setEnabled(bool on) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->setEnabled(on);
}

void Widget::applyColors() {
    if (!w_) return;  // the window is gone (its parent was deleted)
    coloured_ = true;
    QPalette p = w_->palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, ToQColor(back_));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, ToQColor(fore_));
    w_->setPalette(p);
}
// Palette changes are costly (drawing code sets colours per segment), so only real changes
// reach the toolkit.
void Widget::setBackColor(uint32_t c) {
    uint32_t r = Screen::ResolveColor(c);
    if (r == back_ && coloured_) return;
    back_ = r;
    applyColors();
}
uint32_t Widget::PaintedBackColor() const {
    if (!w_) return back_;
    // Text cells and lists fill their inside with the base colour, other windows with their
    // background role.
    const bool cell = qobject_cast<QLineEdit*>(w_) || qobject_cast<QAbstractScrollArea*>(w_);
    return FromQColor(w_->palette().color(cell ? QPalette::Base : w_->backgroundRole()));
}
void Widget::setForeColor(uint32_t c) {
    uint32_t r = Screen::ResolveColor(c);
    if (r == fore_ && coloured_) return;
    fore_ = r;
    applyColors();
}
void Widget::setFont(FontPtr f) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    font_ = std::move(f);
    if (font_) w_->setFont(ToQFont(*font_));
    fontChanged();
}
std::string Widget::ToolTipText() const {
    if (!w_) return {};
    return w_->toolTip().toStdString();
}
void Widget::setToolTipText(const std::string& t) {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->setToolTip(QString::fromStdString(t));
}
void Widget::ZOrderTop() {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->raise();
}
void Widget::SetFocus() {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->setFocus(Qt::OtherFocusReason);
}
bool Widget::HasFocus() const {
    if (!w_) return false;
    return w_->hasFocus();
}
void Widget::setMouseTracking(bool on) {
    if (w_) w_->setMouseTracking(on);
}
void Widget::Refresh() {
    if (!w_) return;  // the window is gone (its parent was deleted)
    w_->repaint();
}

}  // namespace ctl

namespace ctl {

void Widget::setMousePointer(int kind) {
    pointer_ = kind;
    applyCursor();
}

void Widget::setMouseIcon(PicturePtr icon) {
    mouseIcon_ = std::move(icon);
    applyCursor();
}

void Widget::applyCursor() {
    if (!w_) return;
    switch (pointer_) {
        case 99:
            if (mouseIcon_ && !mouseIcon_->isEmpty()) {
                const QImage& img = mouseIcon_->impl().image;
                // The hot spot of a pointing hand is the fingertip near the top left.
                w_->setCursor(
                    QCursor(QPixmap::fromImage(img), mouseIcon_->hotX(), mouseIcon_->hotY()));
            } else {
                w_->unsetCursor();
            }
            break;
        case 1:
            w_->setCursor(Qt::ArrowCursor);
            break;
        case 2:
            w_->setCursor(Qt::CrossCursor);
            break;
        case 3:
            w_->setCursor(Qt::IBeamCursor);
            break;
        case 11:
            w_->setCursor(Qt::WaitCursor);
            break;
        default:
            w_->unsetCursor();
            break;
    }
}

}  // namespace ctl
