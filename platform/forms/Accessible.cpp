// Which source speaks for which control window, and the announcements of their changes.
#include "platform/forms/Accessible.h"

#include <QAccessible>
#include <QWidget>
#include <unordered_map>

#include "platform/forms/AccessibleImpl.h"

namespace ctl {

namespace {
std::unordered_map<const Widget*, AccessibleSource*>& Sources() {
    static std::unordered_map<const Widget*, AccessibleSource*> sources;
    return sources;
}
}  // namespace

AccessibleSource::AccessibleSource(Widget& control) : control_(control) {
    Sources()[&control] = this;
}

AccessibleSource::~AccessibleSource() {
    auto it = Sources().find(&control_);
    if (it != Sources().end() && it->second == this) Sources().erase(it);
}

AccessibleSource* AccessibleSource::For(const Widget& control) {
    auto it = Sources().find(&control);
    return it == Sources().end() ? nullptr : it->second;
}

void SetAccessibleName(Widget& w, const std::string& name) {
    if (w.qwidget()) w.qwidget()->setAccessibleName(QString::fromStdString(name));
}

void AccessibleSource::Announce(AccessibleChange what, int part) const {
    QWidget* w = control_.qwidget();
    if (!w) return;
    auto* root = dynamic_cast<ControlAccessible*>(QAccessible::queryAccessibleInterface(w));
    if (!root) return;
    switch (what) {
        case AccessibleChange::Name: {
            QAccessibleEvent e(root, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&e);
            return;
        }
        case AccessibleChange::Description: {
            QAccessibleEvent e(root, QAccessible::DescriptionChanged);
            QAccessible::updateAccessibility(&e);
            return;
        }
        case AccessibleChange::Value: {
            QAccessibleValueChangeEvent e(root, QString::fromStdString(Value()));
            QAccessible::updateAccessibility(&e);
            return;
        }
        case AccessibleChange::Parts: {
            root->dropParts();
            QAccessibleEvent e(root, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&e);
            return;
        }
        case AccessibleChange::Rows:
        case AccessibleChange::Selection:
            break;
    }
    auto* table = dynamic_cast<TableAccessible*>(root->partObject(part));
    if (!table) return;
    if (what == AccessibleChange::Rows) {
        table->dropCells();
        QAccessibleTableModelChangeEvent e(table, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&e);
        return;
    }
    const int row = SelectedRow(part);
    if (row >= 0 && row < table->rowCount()) {
        QAccessibleEvent e(table->cellAt(row, 0), QAccessible::Selection);
        QAccessible::updateAccessibility(&e);
    } else {
        QAccessibleEvent e(table, QAccessible::SelectionWithin);
        QAccessible::updateAccessibility(&e);
    }
}

}  // namespace ctl
