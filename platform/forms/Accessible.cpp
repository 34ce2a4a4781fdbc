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
// Someone hears announcements: a platform bridge to assistive technology, or a listener the
// program installed itself (a recorder, a test).
QAccessible::UpdateHandler InstalledHandler() {
    QAccessible::UpdateHandler h = QAccessible::installUpdateHandler(nullptr);
    QAccessible::installUpdateHandler(h);
    return h;
}
bool Listened() {
    return QAccessible::isActive() || InstalledHandler();
}

// The toolkit hands events to an installed listener only while a bridge is active; a listener
// in the program hears them without one as well (a platform without a bridge, offscreen).
void Deliver(QAccessibleEvent& e) {
    if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&e);
    } else if (QAccessible::UpdateHandler h = InstalledHandler()) {
        h(&e);
    }
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
    if (!w || !Listened()) return;  // the objects read live data: nothing goes stale
    auto* root = dynamic_cast<ControlAccessible*>(QAccessible::queryAccessibleInterface(w));
    if (!root) return;
    switch (what) {
        case AccessibleChange::Name: {
            QAccessibleEvent e(root, QAccessible::NameChanged);
            Deliver(e);
            return;
        }
        case AccessibleChange::Description: {
            QAccessibleEvent e(root, QAccessible::DescriptionChanged);
            Deliver(e);
            return;
        }
        case AccessibleChange::Value: {
            QAccessibleValueChangeEvent e(root, QString::fromStdString(Value()));
            Deliver(e);
            return;
        }
        case AccessibleChange::Parts: {
            root->dropParts();
            QAccessibleEvent e(root, QAccessible::ObjectReorder);
            Deliver(e);
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
        Deliver(e);
        return;
    }
    const int row = SelectedRow(part);
    if (row >= 0 && row < table->rowCount()) {
        QAccessibleEvent e(table->cellAt(row, 0), QAccessible::Selection);
        Deliver(e);
    } else {
        QAccessibleEvent e(table, QAccessible::SelectionWithin);
        Deliver(e);
    }
}

}  // namespace ctl
