#include "WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
void Show(QAction& action, const ctl::SystemMenuEntry& e) {
    // A caption's "&" is a letter here, not the mark of a mnemonic.
    action.setText(QString::fromStdString(e.text).replace("&", "&&"));
    action.setEnabled(e.enabled);
    action.setCheckable(e.checked);
    action.setChecked(e.checked);
}
}  // namespace

void AddSystemMenuEntries(QMenu& menu, const ctl::ControlWidget& control, QObject* context,
                          std::function<void(int32_t id)> run) {
    for (const ctl::SystemMenuEntry& e : control.systemMenuEntries()) {
        if (e.separator && !menu.isEmpty()) menu.addSeparator();
        QAction* action = menu.addAction(QString());
        action->setData(e.id);
        Show(*action, e);
        const int32_t id = e.id;
        QObject::connect(action, &QAction::triggered, context, [context, run, id] {
            QTimer::singleShot(0, context, [run, id] { run(id); });
        });
    }
}

void UpdateSystemMenuEntries(QMenu& menu, const ctl::ControlWidget& control) {
    const std::vector<ctl::SystemMenuEntry> entries = control.systemMenuEntries();
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->data().isValid()) continue;
        for (const ctl::SystemMenuEntry& e : entries)
            if (e.id == action->data().toInt()) Show(*action, e);
    }
}

}  // namespace demo
