#include "platform/sys/Screen.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <cmath>

#include "platform/sys/EventLoop.h"

namespace ctl::Screen {

namespace {
double Dpi(bool x) {
    EnsureApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    double dpi = s ? (x ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? dpi : 96.0;
}
uint32_t ToBgr(const QColor& c) {
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}
}  // namespace

int TwipsPerPixelX() {
    return int(std::lround(1440.0 / Dpi(true)));
}
int TwipsPerPixelY() {
    return int(std::lround(1440.0 / Dpi(false)));
}

int WidthTwips() {
    EnsureApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return (s ? s->geometry().width() : 1024) * TwipsPerPixelX();
}
int HeightTwips() {
    EnsureApplication();
    QScreen* s = QGuiApplication::primaryScreen();
    return (s ? s->geometry().height() : 768) * TwipsPerPixelY();
}

int VScrollBarWidthPx() {
    EnsureApplication();
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

uint32_t SysColor(int index) {
    EnsureApplication();
    QPalette p = QApplication::palette();
    switch (index) {
        case COLOR_WINDOW:
            return ToBgr(p.color(QPalette::Base));
        case COLOR_WINDOWTEXT:
            return ToBgr(p.color(QPalette::Text));
        case COLOR_HIGHLIGHT:
            return ToBgr(p.color(QPalette::Highlight));
        case COLOR_HIGHLIGHTTEXT:
            return ToBgr(p.color(QPalette::HighlightedText));
        case COLOR_BTNFACE:
            return ToBgr(p.color(QPalette::Button));
        case COLOR_GRAYTEXT:
            return ToBgr(p.color(QPalette::Disabled, QPalette::Text));
        default:
            return ToBgr(p.color(QPalette::Window));
    }
}

uint32_t ResolveColor(uint32_t color) {
    if (color & 0x80000000u) return SysColor(int(color & 0xFF));
    return color & 0xFFFFFF;
}

namespace {
int g_pointer = 0;
}

int MousePointer() {
    return g_pointer;
}

void setMousePointer(int kind) {
    EnsureApplication();
    // One override at a time: changing the kind replaces the cursor instead of stacking them.
    if (g_pointer != 0) QGuiApplication::restoreOverrideCursor();
    g_pointer = kind;
    if (kind == 11)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else if (kind != 0)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

}  // namespace ctl::Screen
