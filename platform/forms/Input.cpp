#include "platform/forms/Input.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

#include "platform/com/RaisedError.h"
#include "platform/forms/WidgetImpl.h"
#include "platform/graphics/PngFile.h"
#include "platform/graphics/SurfaceLimits.h"

namespace ctl {

namespace {
Qt::KeyboardModifiers Mods(int shift) {
    Qt::KeyboardModifiers m;
    if (shift & vbShiftMask) m |= Qt::ShiftModifier;
    if (shift & vbCtrlMask) m |= Qt::ControlModifier;
    if (shift & vbAltMask) m |= Qt::AltModifier;
    return m;
}
Qt::MouseButton Button(int b) {
    if (b & vbRightButton) return Qt::RightButton;
    if (b & vbMiddleButton) return Qt::MiddleButton;
    if (b & vbLeftButton) return Qt::LeftButton;
    return Qt::NoButton;
}
QString KeyText(int code, int shift) {
    if (code >= 'A' && code <= 'Z') return QString(QChar(shift & vbShiftMask ? code : code + 32));
    if ((code >= '0' && code <= '9') || code == ' ') return QString(QChar(code));
    if (code == 13) return QString("\r");
    if (code == 8) return QString(QChar(8));
    if (code == 27) return QString(QChar(27));
    return {};
}
}  // namespace

bool SimulateMouse(Widget& target, const std::string& kind, int button, int shift, float x,
                   float y) {
    QWidget* w = target.InputWindow();
    if (!w) return false;
    // A scrolling window takes the mouse in its client area, inside the border.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) w = area->viewport();
    // In double precision: a whole number of twips must come back whole from the window's
    // conversion to twips (a float quotient lost the last digit: 4000 read 3999.99976).
    QPointF pos(double(x) / Widget::TwipsX(), double(y) / Widget::TwipsY());
    QPointF global = w->mapToGlobal(pos);
    QEvent::Type type;
    if (kind == "down")
        type = QEvent::MouseButtonPress;
    else if (kind == "up")
        type = QEvent::MouseButtonRelease;
    else if (kind == "move")
        type = QEvent::MouseMove;
    else if (kind == "dblclick")
        type = QEvent::MouseButtonDblClick;
    else
        return false;
    Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Button(button);
    Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Button(button));
    QMouseEvent ev(type, pos, global, b, held, Mods(shift));
    QApplication::sendEvent(w, &ev);
    return true;
}

bool SimulateKey(Widget& target, const std::string& kind, int keyCode, int shift) {
    QWidget* w = target.InputWindow();
    if (!w) return false;
    int key = QtKeyOf(keyCode);
    QString text = KeyText(keyCode, shift);
    auto send = [&](QEvent::Type t) {
        QKeyEvent ev(t, key, Mods(shift), text);
        QApplication::sendEvent(w, &ev);
    };
    if (kind == "down")
        send(QEvent::KeyPress);
    else if (kind == "up")
        send(QEvent::KeyRelease);
    else if (kind == "press") {
        send(QEvent::KeyPress);
        send(QEvent::KeyRelease);
    } else {
        return false;
    }
    return true;
}

void SimulateChar(Widget& target, char32_t ch) {
    QWidget* w = target.InputWindow();
    if (!w) return;
    QString text = QString::fromUcs4(&ch, 1);
    int key = 0;
    if (ch >= 'a' && ch <= 'z')
        key = int(ch - 'a' + 'A');
    else if (ch == '\r' || ch == '\n')
        key = Qt::Key_Return;
    else if (ch == 8)
        key = Qt::Key_Backspace;
    else if (ch == 9)
        key = Qt::Key_Tab;
    else if (ch == 27)
        key = Qt::Key_Escape;
    else if (ch < 0x80)
        key = int(ch);  // the toolkit's key codes of printable ASCII are the characters
    else
        key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = ch >= 'A' && ch <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier;
    QKeyEvent down(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &down);
    if (!target.qwidget()) return;  // the key closed the window
    w = target.InputWindow();
    QKeyEvent up(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &up);
}

void SaveWindowPng(Widget& window, const std::string& path) {
    QWidget* w = window.qwidget();
    if (!w) Raise(75, "Path/File access error: " + path);
    int width = w->width(), height = w->height();
    // A window of no area (sized to nothing or less) has no picture to write.
    if (width <= 0 || height <= 0)
        Raise(5, "The window has no area to take a picture of (" + std::to_string(width) + " x " +
                     std::to_string(height) + " pixels): " + path);
    LimitSurfaceSize(width, height);
    // Pictures are in pixels of the window on any screen.
    WritePngFile(AtWindowPixels(w->grab(QRect(0, 0, width, height)).toImage()), path);
}

void SaveScreenPng(const std::string& path) {
    QList<QWidget*> shown;
    QRect area;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && Widget::FromQWidget(w)) {
            shown.append(w);
            area |= w->frameGeometry();
        }
    if (shown.isEmpty()) Raise(75, "Path/File access error: " + path);
    // Windows far apart, or one beyond any screen, give no picture larger than a surface.
    int width = area.width(), height = area.height();
    LimitSurfaceSize(width, height);
    area.setSize(QSize(width, height));
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    // Pop-ups last, so they lie over the forms they drop down from.
    std::stable_sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) {
        return a->windowType() != Qt::Popup && b->windowType() == Qt::Popup;
    });
    for (QWidget* w : shown) {
        // Only the part of each window that lies in the picture is drawn.
        const QRect part = area.intersected(w->geometry()).translated(-w->geometry().topLeft());
        if (part.isEmpty()) continue;
        p.drawImage(w->geometry().topLeft() + part.topLeft() - area.topLeft(),
                    AtWindowPixels(w->grab(part).toImage()));
    }
    p.end();
    WritePngFile(image, path);
}

}  // namespace ctl
