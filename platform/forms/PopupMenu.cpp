#include "platform/forms/PopupMenu.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

#include "platform/forms/WidgetImpl.h"
#include "platform/graphics/PngFile.h"
#include "platform/graphics/SurfaceLimits.h"
#include "platform/sys/EventLoop.h"

namespace ctl {

namespace {
std::shared_ptr<MenuPresenter> g_presenter;

// Fills a toolkit menu with the entries; each action remembers its entry's index.
void Fill(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& e = entries[i];
        if (e.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(QString::fromStdString(e.caption));
        a->setData(int(i));
        a->setEnabled(e.enabled);
        a->setCheckable(e.checked);
        a->setChecked(e.checked);
        if (e.isDefault) {
            QFont f = a->font();
            f.setBold(true);
            a->setFont(f);
            menu.setDefaultAction(a);
        }
    }
}
}  // namespace

int ToolkitMenuPresenter::Popup(const std::vector<MenuEntry>& entries, int xPx, int yPx) {
    EnsureApplication();
    QMenu menu;
    Fill(menu, entries);
    QAction* chosen = menu.exec(QPoint(xPx, yPx));
    return chosen ? chosen->data().toInt() : -1;
}

int ScriptedMenuPresenter::Popup(const std::vector<MenuEntry>& entries, int xPx, int yPx) {
    int chosen = -1;
    if (!choices_.empty()) {
        std::optional<std::string> caption = std::move(choices_.front());
        choices_.pop_front();
        if (caption) {
            for (size_t i = 0; i < entries.size(); ++i) {
                const MenuEntry& e = entries[i];
                if (!e.separator && e.enabled && e.caption == *caption) {
                    chosen = int(i);
                    break;
                }
            }
        }
    }
    if (onPopup) onPopup(entries, chosen, xPx, yPx);
    return chosen;
}

MenuPresenter& Menus() {
    if (!g_presenter) g_presenter = std::make_shared<ToolkitMenuPresenter>();
    return *g_presenter;
}

void SetMenuPresenter(std::shared_ptr<MenuPresenter> p) {
    g_presenter = std::move(p);
}

void PointerPosition(int& xPx, int& yPx) {
    EnsureApplication();
    QPoint p = QCursor::pos();
    xPx = p.x();
    yPx = p.y();
}

int PopupMenuAtPointer(const std::vector<MenuEntry>& entries) {
    int x = 0, y = 0;
    PointerPosition(x, y);
    return Menus().Popup(entries, x, y);
}

int PopupMenuAt(Widget& window, float xTwips, float yTwips, const std::vector<MenuEntry>& entries) {
    QWidget* w = window.qwidget();
    if (!w) return PopupMenuAtPointer(entries);
    const QPoint at = w->mapToGlobal(QPoint(Widget::ToPxX(xTwips), Widget::ToPxY(yTwips)));
    return Menus().Popup(entries, at.x(), at.y());
}

bool SaveWindowPngWithMenu(Widget& window, const std::vector<MenuEntry>& entries, int xPx, int yPx,
                           const std::string& path) {
    QWidget* w = window.qwidget();
    if (!w) return false;
    QMenu menu;
    Fill(menu, entries);
    menu.ensurePolished();
    menu.adjustSize();
    QPixmap drawn = QPixmap::fromImage(AtWindowPixels(menu.grab().toImage()));
    const QPoint at = QPoint(xPx, yPx) - w->mapToGlobal(QPoint(0, 0));
    // The menu may reach past the window's edge, as a real one does; the picture grows to hold
    // it, up to the surface limits (a menu far away is then left out of the picture).
    int width = std::max(w->width(), at.x() + drawn.width());
    int height = std::max(w->height(), at.y() + drawn.height());
    LimitSurfaceSize(width, height);
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    // Pictures are in pixels of the window on any screen.
    p.drawImage(0, 0,
                AtWindowPixels(
                    w->grab(QRect(0, 0, std::min(width, w->width()), std::min(height, w->height())))
                        .toImage()));
    if (QRect(at, drawn.size()).intersects(canvas.rect())) p.drawPixmap(at, drawn);
    p.end();
    WritePngFile(canvas, path);
    return true;
}

}  // namespace ctl
