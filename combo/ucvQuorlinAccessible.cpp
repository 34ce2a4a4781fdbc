#include "combo/ucvQuorlinAccessible.h"

#include "combo/ucvQuorlin.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
std::string ColumnTitle(int column) {
    return "Column " + std::to_string(column + 1);
}

// The labels show their text after a space of room.
std::string LabelText(const ctl::Label& label) {
    std::string s = label.Caption();
    s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
    return s;
}
}  // namespace

ucvQuorlinAccessible::ucvQuorlinAccessible(ucvQuorlin& combo)
    : ctl::AccessibleSource(combo), combo_(combo) {
    ctl::SetAccessibleName(combo_.txtCol1, ColumnTitle(0));
    ctl::SetAccessibleName(combo_.txtCol2, ColumnTitle(1));
    ctl::SetAccessibleName(combo_.lblCol1, ColumnTitle(0));
    ctl::SetAccessibleName(combo_.lblCol2, ColumnTitle(1));
}

std::string ucvQuorlinAccessible::Name() const {
    const std::string name = combo_.ctl::Widget::Name();
    return name.empty() ? combo_.typeName() : name;
}

std::string ucvQuorlinAccessible::Description() const {
    switch (combo_.Style()) {
        case DropdownCombo:
            return "Dropdown Combo";
        case SimpleCombo:
            return "Simple Combo";
        case DropdownList:
            return "Dropdown List";
        default:
            return {};
    }
}

std::string ucvQuorlinAccessible::Value() const {
    // The edit portion as the user sees it: the two cells (a column's text, or both).
    std::string c1, c2;
    if (combo_.Style() == DropdownList) {
        c1 = LabelText(combo_.lblCol1);
        c2 = LabelText(combo_.lblCol2);
    } else {
        c1 = combo_.txtCol1.Text();
        c2 = combo_.txtCol2.Text();
    }
    if (c2.empty()) return c1;
    if (c1.empty()) return c2;
    return c1 + ", " + c2;
}

ctl::AccessiblePart ucvQuorlinAccessible::Part(int index) const {
    if (index == kRowsPart) return {ctl::AccessiblePart::Table, "List", "", nullptr};
    if (combo_.Style() == DropdownList) {
        const ctl::Label& cell = index == 0 ? combo_.lblCol1 : combo_.lblCol2;
        return {ctl::AccessiblePart::Text, ColumnTitle(index), LabelText(cell), nullptr};
    }
    ctl::TextBox& cell = index == 0 ? combo_.txtCol1 : combo_.txtCol2;
    return {ctl::AccessiblePart::Window, ColumnTitle(index), "", &cell};
}

int ucvQuorlinAccessible::Rows(int part) const {
    const ucvQuorlin::Pair p = combo_.RowPair();
    return part == kRowsPart && p.col2 ? p.col2->ListCount() : 0;
}

std::string ucvQuorlinAccessible::ColumnName(int part, int column) const {
    return part == kRowsPart && (column == 0 || column == 1) ? ColumnTitle(column) : std::string();
}

std::string ucvQuorlinAccessible::Cell(int part, int row, int column) const {
    const ucvQuorlin::Pair p = combo_.RowPair();
    if (part != kRowsPart || !p.col1 || row < 0 || row >= p.col2->ListCount()) return {};
    if (column == 0) return p.col1->List(row);
    if (column == 1) return p.col2->List(row);
    return {};
}

int ucvQuorlinAccessible::SelectedRow(int part) const {
    return part == kRowsPart ? combo_.ListIndex() : -1;
}

void ucvQuorlinAccessible::SelectionChanged() {
    Announce(ctl::AccessibleChange::Value);
    Announce(ctl::AccessibleChange::Selection, kRowsPart);
}

void ucvQuorlinAccessible::RowsChanged() {
    Announce(ctl::AccessibleChange::Rows, kRowsPart);
}

void ucvQuorlinAccessible::StyleChanged() {
    Announce(ctl::AccessibleChange::Description);
    Announce(ctl::AccessibleChange::Parts);
}

}  // namespace quorlin
