#pragma once
// The toolkit's accessible objects for a control that has an AccessibleSource: the control
// itself, and the texts, tables, lists and cells under it, which have no window of their own.
// Private to the platform.
#include <QAccessibleWidget>
#include <QPointer>
#include <map>
#include <utility>

#include "platform/forms/Accessible.h"

namespace ctl {

class PartAccessible;

// The control's window. Without a source (a control that describes nothing) it reads as the
// plain window it is.
class ControlAccessible : public QAccessibleWidget {
  public:
    explicit ControlAccessible(QWidget* w);
    ~ControlAccessible() override;

    AccessibleSource* source() const;
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // The object of a part without a window (null for a window part or past the end).
    PartAccessible* partObject(int index) const;
    // The parts' objects are made again when next asked (their kinds may have changed).
    void dropParts();

  private:
    mutable std::map<int, std::pair<AccessiblePart::Kind, QAccessible::Id>> parts_;
};

// A part of a control without a window of its own.
class PartAccessible : public QAccessibleInterface {
  public:
    PartAccessible(QWidget* control, int index, AccessiblePart::Kind kind)
        : control_(control), index_(index), kind_(kind) {}
    int index() const { return index_; }
    QWidget* control() const { return control_; }
    AccessibleSource* source() const;
    AccessiblePart part() const;

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QRect rect() const override;
    void setText(QAccessible::Text, const QString&) override {}

  private:
    QPointer<QWidget> control_;
    int index_;
    AccessiblePart::Kind kind_;
};

// A table or list part: rows of cells, read from the source when asked.
class TableAccessible : public PartAccessible, public QAccessibleTableInterface {
  public:
    TableAccessible(QWidget* control, int index, AccessiblePart::Kind kind)
        : PartAccessible(control, index, kind), list_(kind == AccessiblePart::List) {}
    ~TableAccessible() override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    bool isList() const { return list_; }

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    // The selection belongs to the control: assistive technology reads it, never sets it.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { dropCells(); }
    void dropCells();

  private:
    bool list_;
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
};

}  // namespace ctl
