#include "WindowMenu.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "platform/embed/ControlWidget.h"

namespace demo {

void AddSystemMenuEntries(QMenu& menu, const ctl::ControlWidget& control, QObject* context,
                          std::function<void(int32_t id)> run) {
    for (const ctl::SystemMenuEntry& e : control.systemMenuEntries()) {
        if (e.separator && !menu.isEmpty()) menu.addSeparator();
        // A caption's "&" is a letter here, not the mark of a mnemonic.
        QAction* action = menu.addAction(QString::fromStdString(e.text).replace("&", "&&"));
        action->setData(e.id);
        action->setEnabled(e.enabled);
        action->setCheckable(e.checked);
        action->setChecked(e.checked);
        const int32_t id = e.id;
        QObject::connect(action, &QAction::triggered, context, [context, run, id] {
            QTimer::singleShot(0, context, [run, id] { run(id); });
        });
    }
}

}  // namespace demo
