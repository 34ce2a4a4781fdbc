#include "platform/forms/OpenForms.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <memory>

namespace ctl {

Widget* FindForm(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    Widget* hidden = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName().compare(wanted, Qt::CaseInsensitive) != 0) continue;
        Widget* form = Widget::FromQWidget(w);
        if (!form) continue;
        if (w->isVisible()) return form;
        if (!hidden) hidden = form;
    }
    return hidden;
}

namespace {

// Watches the whole application for windows being shown.
class ShownWatcher : public QObject {
  public:
    std::function<void(Widget&)> hook;
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() != QEvent::Show || !obj->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(obj);
        if (!w->isWindow()) return false;
        if (Widget* form = Widget::FromQWidget(w))
            if (auto h = hook) h(*form);  // a copy: the hook may replace itself
        return false;
    }
};

std::unique_ptr<ShownWatcher>& Watcher() {
    static std::unique_ptr<ShownWatcher> watcher;
    return watcher;
}

}  // namespace

void SetFormShownHook(std::function<void(Widget& form)> hook) {
    auto& watcher = Watcher();
    if (!hook) {
        if (watcher && qApp) qApp->removeEventFilter(watcher.get());
        watcher.reset();
        return;
    }
    if (!watcher) {
        watcher = std::make_unique<ShownWatcher>();
        qApp->installEventFilter(watcher.get());
    }
    watcher->hook = std::move(hook);
}

}  // namespace ctl
