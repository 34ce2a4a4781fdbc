#include "platform/forms/AccessibleTree.h"

#include <QAccessible>
#include <QWidget>

namespace ctl {

namespace {

constexpr int kMaxDepth = 32;  // a cycle in a foreign tree must not recurse for ever

std::string RoleName(QAccessible::Role r) {
    switch (r) {
        case QAccessible::Chart:
            return "chart";
        case QAccessible::Graphic:
            return "graphic";
        case QAccessible::ComboBox:
            return "combo box";
        case QAccessible::StaticText:
            return "static text";
        case QAccessible::EditableText:
            return "editable text";
        case QAccessible::Table:
            return "table";
        case QAccessible::Cell:
            return "cell";
        case QAccessible::List:
            return "list";
        case QAccessible::ListItem:
            return "list item";
        case QAccessible::Client:
            return "client";
        case QAccessible::Window:
            return "window";
        case QAccessible::Dialog:
            return "dialog";
        case QAccessible::PushButton:
            return "push button";
        case QAccessible::CheckBox:
            return "check box";
        case QAccessible::ScrollBar:
            return "scroll bar";
        case QAccessible::SpinBox:
            return "spin box";
        case QAccessible::Grouping:
            return "grouping";
        case QAccessible::Row:
            return "row";
        case QAccessible::ColumnHeader:
            return "column header";
        case QAccessible::RowHeader:
            return "row header";
        case QAccessible::MenuBar:
            return "menu bar";
        case QAccessible::PopupMenu:
            return "pop-up menu";
        case QAccessible::MenuItem:
            return "menu item";
        default:
            return "role " + std::to_string(int(r));
    }
}

Json Text(QAccessibleInterface* i, QAccessible::Text t) {
    return Json::string(i->text(t).toStdString());
}

Json Node(QAccessibleInterface* i, int depth) {
    const QAccessible::State st = i->state();
    Json j = Json::object({
        {"role", Json::string(RoleName(i->role()))},
        {"name", Text(i, QAccessible::Name)},
        {"description", Text(i, QAccessible::Description)},
        {"value", Text(i, QAccessible::Value)},
        {"state", Json::object({{"focused", Json::boolean(st.focused)},
                                {"selected", Json::boolean(st.selected)},
                                {"invisible", Json::boolean(st.invisible)},
                                {"readOnly", Json::boolean(st.readOnly)}})},
    });
    if (QAccessibleTableInterface* t = i->tableInterface()) {
        const int rows = t->rowCount(), columns = t->columnCount();
        Json names = Json::array(), cells = Json::array(), selected = Json::array();
        for (int c = 0; c < columns; ++c)
            names.items.push_back(Json::string(t->columnDescription(c).toStdString()));
        for (int r = 0; r < rows; ++r) {
            Json row = Json::array();
            for (int c = 0; c < columns; ++c) {
                QAccessibleInterface* cell = t->cellAt(r, c);
                row.items.push_back(cell ? Text(cell, QAccessible::Name) : Json::string(""));
            }
            cells.items.push_back(std::move(row));
        }
        for (int r : t->selectedRows()) selected.items.push_back(Json::number(r));
        j.set("rows", Json::number(rows));
        j.set("columns", Json::number(columns));
        j.set("columnNames", names);
        j.set("selectedRows", selected);
        j.set("cells", cells);
        return j;
    }
    Json children = Json::array();
    if (depth < kMaxDepth) {
        const int n = i->childCount();
        for (int k = 0; k < n; ++k)
            if (QAccessibleInterface* c = i->child(k)) children.items.push_back(Node(c, depth + 1));
    }
    j.set("children", children);
    return j;
}

}  // namespace

Json AccessibleTree(Widget& w) {
    QAccessibleInterface* i =
        w.qwidget() ? QAccessible::queryAccessibleInterface(w.qwidget()) : nullptr;
    return i ? Node(i, 0) : Json::object();
}

}  // namespace ctl
