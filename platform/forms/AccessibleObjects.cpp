// The toolkit's accessible objects for the controls' windows and their parts, and the factory
// through which the toolkit finds them.
#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "platform/forms/AccessibleImpl.h"

namespace ctl {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QAccessible::Role RoleOf(AccessibleRole r) {
    switch (r) {
        case AccessibleRole::Chart:
            return QAccessible::Chart;
        case AccessibleRole::Graphic:
            return QAccessible::Graphic;
        case AccessibleRole::ComboBox:
            return QAccessible::ComboBox;
        case AccessibleRole::StaticText:
            return QAccessible::StaticText;
        case AccessibleRole::EditableText:
            return QAccessible::EditableText;
        case AccessibleRole::Table:
            return QAccessible::Table;
        case AccessibleRole::List:
            return QAccessible::List;
    }
    return QAccessible::Client;
}

AccessibleSource* SourceOf(const QWidget* w) {
    const Widget* cw = w ? Widget::FromQWidget(const_cast<QWidget*>(w)) : nullptr;
    return cw ? AccessibleSource::For(*cw) : nullptr;
}

// A static text part.
class TextAccessible : public PartAccessible {
  public:
    using PartAccessible::PartAccessible;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        AccessiblePart p = part();
        if (t == QAccessible::Name) return Q(p.name);
        if (t == QAccessible::Value) return Q(p.value);
        return {};
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = !isValid() || !control()->isVisible();
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
};

// One cell of a table or list part.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    CellAccessible(TableAccessible* table, int row, int column)
        : table_(QAccessible::uniqueId(table)), row_(row), column_(column) {}
    TableAccessible* tableObject() const {
        return static_cast<TableAccessible*>(QAccessible::accessibleInterface(table_));
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }
    bool isValid() const override {
        TableAccessible* t = tableObject();
        return t && t->isValid() && row_ < t->rowCount() && column_ < t->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        TableAccessible* t = tableObject();
        return t ? t->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return tableObject(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid()) return {};
        TableAccessible* table = tableObject();
        return Q(table->source()->Cell(table->index(), row_, column_));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        TableAccessible* t = tableObject();
        return t ? t->rect() : QRect();
    }
    QAccessible::Role role() const override {
        TableAccessible* t = tableObject();
        return t && t->isList() ? QAccessible::ListItem : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.selectable = true;
        s.selected = isSelected();
        s.invisible = !isValid();
        return s;
    }

    bool isSelected() const override {
        TableAccessible* t = tableObject();
        return t && t->isValid() && t->isRowSelected(row_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return tableObject(); }

  private:
    QAccessible::Id table_;
    int row_, column_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || !w->property("ctlControlWindow").toBool()) return nullptr;
    return new ControlAccessible(w);
}

}  // namespace

// ---- the control -----------------------------------------------------------------------------

ControlAccessible::ControlAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}

ControlAccessible::~ControlAccessible() {
    dropParts();
}

AccessibleSource* ControlAccessible::source() const {
    return SourceOf(widget());
}

void ControlAccessible::dropParts() {
    auto parts = std::move(parts_);
    parts_.clear();
    for (auto& entry : parts) QAccessible::deleteAccessibleInterface(entry.second.second);
}

QAccessible::Role ControlAccessible::role() const {
    AccessibleSource* s = source();
    return s ? RoleOf(s->Role()) : QAccessibleWidget::role();
}

QString ControlAccessible::text(QAccessible::Text t) const {
    AccessibleSource* s = source();
    if (!s) return QAccessibleWidget::text(t);
    switch (t) {
        case QAccessible::Name:
            return Q(s->Name());
        case QAccessible::Description:
            return Q(s->Description());
        case QAccessible::Value:
            return Q(s->Value());
        default:
            return QAccessibleWidget::text(t);
    }
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State st = QAccessibleWidget::state();
    // The focus may sit on a child window (the drawing surface, a text cell): the control has it.
    QWidget* f = QApplication::focusWidget();
    st.focused = f && (f == widget() || widget()->isAncestorOf(f));
    return st;
}

int ControlAccessible::childCount() const {
    AccessibleSource* s = source();
    return s ? s->PartCount() : QAccessibleWidget::childCount();
}

PartAccessible* ControlAccessible::partObject(int index) const {
    AccessibleSource* s = source();
    if (!s || index < 0 || index >= s->PartCount()) return nullptr;
    const AccessiblePart p = s->Part(index);
    if (p.kind == AccessiblePart::Window) return nullptr;
    auto it = parts_.find(index);
    if (it != parts_.end()) {
        if (it->second.first == p.kind)
            return static_cast<PartAccessible*>(
                QAccessible::accessibleInterface(it->second.second));
        QAccessible::deleteAccessibleInterface(it->second.second);
        parts_.erase(it);
    }
    PartAccessible* made =
        p.kind == AccessiblePart::Text
            ? static_cast<PartAccessible*>(new TextAccessible(widget(), index, p.kind))
            : new TableAccessible(widget(), index, p.kind);
    parts_[index] = {p.kind, QAccessible::registerAccessibleInterface(made)};
    return made;
}

QAccessibleInterface* ControlAccessible::child(int index) const {
    AccessibleSource* s = source();
    if (!s) return QAccessibleWidget::child(index);
    if (index < 0 || index >= s->PartCount()) return nullptr;
    const AccessiblePart p = s->Part(index);
    if (p.kind == AccessiblePart::Window)
        return p.window && p.window->qwidget()
                   ? QAccessible::queryAccessibleInterface(p.window->qwidget())
                   : nullptr;
    return partObject(index);
}

int ControlAccessible::indexOfChild(const QAccessibleInterface* c) const {
    AccessibleSource* s = source();
    if (!s) return QAccessibleWidget::indexOfChild(c);
    if (!c) return -1;
    if (auto* p = dynamic_cast<const PartAccessible*>(c))
        return p->control() == widget() && p->isValid() ? p->index() : -1;
    QObject* o = c->object();
    const int n = s->PartCount();
    for (int i = 0; i < n && o; ++i) {
        const AccessiblePart p = s->Part(i);
        if (p.kind == AccessiblePart::Window && p.window && p.window->qwidget() == o) return i;
    }
    return -1;
}

QAccessibleInterface* ControlAccessible::childAt(int x, int y) const {
    AccessibleSource* s = source();
    if (!s) return QAccessibleWidget::childAt(x, y);
    const int n = s->PartCount();
    for (int i = 0; i < n; ++i) {
        const AccessiblePart p = s->Part(i);
        if (p.kind != AccessiblePart::Window || !p.window || !p.window->qwidget()) continue;
        QWidget* w = p.window->qwidget();
        if (w->isVisible() && QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(x, y))
            return QAccessible::queryAccessibleInterface(w);
    }
    return nullptr;
}

QAccessibleInterface* ControlAccessible::focusChild() const {
    AccessibleSource* s = source();
    if (!s) return QAccessibleWidget::focusChild();
    QWidget* f = QApplication::focusWidget();
    const int n = s->PartCount();
    for (int i = 0; i < n && f; ++i) {
        const AccessiblePart p = s->Part(i);
        if (p.kind == AccessiblePart::Window && p.window && p.window->qwidget() == f)
            return QAccessible::queryAccessibleInterface(f);
    }
    return nullptr;
}

// ---- parts -----------------------------------------------------------------------------------

AccessibleSource* PartAccessible::source() const {
    return SourceOf(control_);
}

AccessiblePart PartAccessible::part() const {
    AccessibleSource* s = source();
    return s && index_ < s->PartCount() ? s->Part(index_) : AccessiblePart{};
}

bool PartAccessible::isValid() const {
    AccessibleSource* s = source();
    return s && index_ < s->PartCount() && s->Part(index_).kind == kind_;
}

QWindow* PartAccessible::window() const {
    return control_ ? control_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* PartAccessible::parent() const {
    return control_ ? QAccessible::queryAccessibleInterface(control_) : nullptr;
}

QRect PartAccessible::rect() const {
    return control_ ? QRect(control_->mapToGlobal(QPoint(0, 0)), control_->size()) : QRect();
}

// ---- tables and lists ------------------------------------------------------------------------

TableAccessible::~TableAccessible() {
    dropCells();
}

void TableAccessible::dropCells() {
    auto cells = std::move(cells_);
    cells_.clear();
    for (auto& entry : cells) QAccessible::deleteAccessibleInterface(entry.second);
}

void* TableAccessible::interface_cast(QAccessible::InterfaceType t) {
    return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                            : nullptr;
}

QAccessible::Role TableAccessible::role() const {
    return list_ ? QAccessible::List : QAccessible::Table;
}

QString TableAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name && isValid() ? Q(part().name) : QString();
}

QAccessible::State TableAccessible::state() const {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !isValid() || !control()->isVisible();
    return s;
}

int TableAccessible::rowCount() const {
    return isValid() ? std::max(0, source()->Rows(index())) : 0;
}

int TableAccessible::columnCount() const {
    return isValid() ? std::max(0, source()->Columns(index())) : 0;
}

QString TableAccessible::columnDescription(int column) const {
    return isValid() ? Q(source()->ColumnName(index(), column)) : QString();
}

int TableAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* TableAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    auto it = cells_.find({row, column});
    if (it != cells_.end()) return QAccessible::accessibleInterface(it->second);
    auto* cell = new CellAccessible(const_cast<TableAccessible*>(this), row, column);
    cells_[{row, column}] = QAccessible::registerAccessibleInterface(cell);
    return cell;
}

QAccessibleInterface* TableAccessible::child(int index) const {
    const int columns = columnCount();
    return columns > 0 && index >= 0 ? cellAt(index / columns, index % columns) : nullptr;
}

int TableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || cell->table() != this) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

bool TableAccessible::isRowSelected(int row) const {
    return isValid() && row >= 0 && row == source()->SelectedRow(index());
}

int TableAccessible::selectedRowCount() const {
    const int row = isValid() ? source()->SelectedRow(index()) : -1;
    return row >= 0 && row < rowCount() ? 1 : 0;
}

QList<int> TableAccessible::selectedRows() const {
    if (!selectedRowCount()) return {};
    return {source()->SelectedRow(index())};
}

int TableAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> TableAccessible::selectedCells() const {
    QList<QAccessibleInterface*> out;
    for (int row : selectedRows())
        for (int c = 0; c < columnCount(); ++c) out.push_back(cellAt(row, c));
    return out;
}

// ---- the factory -----------------------------------------------------------------------------

void InstallAccessibility(Widget& controlWindow) {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    if (controlWindow.qwidget()) controlWindow.qwidget()->setProperty("ctlControlWindow", true);
}

}  // namespace ctl
