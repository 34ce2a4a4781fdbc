// What a screen reader meets on the two-column combo, through the toolkit's accessibility.
#include <QAccessible>
#include <QWidget>

#include "ComboFixture.h"

namespace {

struct Announced {
    QAccessible::Event type;
    QAccessible::Role role;
    int row;
};
std::vector<Announced>& Log() {
    static std::vector<Announced> log;
    return log;
}
void Record(QAccessibleEvent* e) {
    QAccessibleInterface* i = e->accessibleInterface();
    QAccessibleTableCellInterface* cell = i ? i->tableCellInterface() : nullptr;
    Log().push_back({e->type(), i ? i->role() : QAccessible::NoRole, cell ? cell->rowIndex() : -1});
}

class ComboAccessibleTest : public ComboTest {
  protected:
    void SetUp() override {
        ComboTest::SetUp();
        Log().clear();
        previous = QAccessible::installUpdateHandler(Record);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(previous);
        if (combo) combo->Terminate();
        combo.reset();
        ComboTest::TearDown();
    }
    QAccessibleInterface* Root() { return QAccessible::queryAccessibleInterface(combo->qwidget()); }
    QAccessibleTableInterface* Rows() { return Root()->child(2)->tableInterface(); }
    QString Cell(int row, int column) {
        QAccessibleInterface* c = Rows()->cellAt(row, column);
        return c ? c->text(QAccessible::Name) : QString("<none>");
    }
    int Count(QAccessible::Event type, QAccessible::Role role) const {
        return int(std::count_if(Log().begin(), Log().end(), [&](const Announced& a) {
            return a.type == type && a.role == role;
        }));
    }
    std::unique_ptr<quorlin::ucvQuorlin> combo;
    QAccessible::UpdateHandler previous = nullptr;
};

}  // namespace

TEST_F(ComboAccessibleTest, EditableCellsNamedAfterTheirColumnsAndRowsAsATwoColumnTable) {
    for (int style : {0, 1}) {
        SCOPED_TRACE(style);
        combo = RunTimeCombo(style);
        combo->AddItem("Italy", "Rome", 1);
        combo->AddItem("France", "Paris", 2);
        combo->AddItem("Spain", "", 3);
        QAccessibleInterface* root = Root();
        EXPECT_EQ(root->role(), QAccessible::ComboBox);
        EXPECT_EQ(root->text(QAccessible::Name), "ucvQuorlin");
        EXPECT_EQ(root->text(QAccessible::Description),
                  style == 0 ? "Dropdown Combo" : "Simple Combo");
        ASSERT_EQ(root->childCount(), 3);
        for (int c = 0; c < 2; ++c) {
            QAccessibleInterface* cell = root->child(c);
            EXPECT_EQ(cell->role(), QAccessible::EditableText);
            EXPECT_EQ(cell->text(QAccessible::Name), QString("Column %1").arg(c + 1));
            EXPECT_EQ(cell->object(), (c == 0 ? combo->txtCol1 : combo->txtCol2).qwidget());
            EXPECT_EQ(root->indexOfChild(cell), c);
        }
        QAccessibleInterface* table = root->child(2);
        EXPECT_EQ(table->role(), QAccessible::Table);
        QAccessibleTableInterface* t = table->tableInterface();
        EXPECT_EQ(t->rowCount(), 3);
        EXPECT_EQ(t->columnCount(), 2);
        EXPECT_EQ(t->columnDescription(1), "Column 2");
        EXPECT_EQ(Cell(1, 0), "France");
        EXPECT_EQ(Cell(1, 1), "Paris");
        EXPECT_EQ(Cell(2, 1), "");
        EXPECT_TRUE(t->selectedRows().isEmpty());

        combo->setListIndex(1);
        EXPECT_EQ(t->selectedRows(), QList<int>{1});
        EXPECT_TRUE(t->cellAt(1, 0)->state().selected);
        EXPECT_FALSE(t->cellAt(0, 0)->state().selected);
        EXPECT_EQ(root->text(QAccessible::Value), "France, Paris");
        EXPECT_EQ(root->child(1)->text(QAccessible::Value), "Paris");

        combo->RemoveItem(0);  // the same row, one up
        EXPECT_EQ(t->rowCount(), 2);
        EXPECT_EQ(t->selectedRows(), QList<int>{0});
        EXPECT_EQ(Cell(0, 0), "France");
        combo->Terminate();
        combo.reset();
    }
}

TEST_F(ComboAccessibleTest, DropdownListCellsAreLabelsThatShowTheRow) {
    combo = RunTimeCombo(2);
    combo->AddItem("Italy", "Rome", 1);
    combo->setListIndex(0);
    QAccessibleInterface* root = Root();
    EXPECT_EQ(root->text(QAccessible::Description), "Dropdown List");
    QAccessibleInterface* first = root->child(0);
    EXPECT_EQ(first->role(), QAccessible::StaticText);
    EXPECT_EQ(first->text(QAccessible::Name), "Column 1");
    EXPECT_EQ(first->text(QAccessible::Value), "Italy");  // without the label's leading space
    EXPECT_EQ(root->child(1)->text(QAccessible::Value), "Rome");
    EXPECT_EQ(root->text(QAccessible::Value), "Italy, Rome");
    EXPECT_EQ(Cell(0, 1), "Rome");  // the drop-down window's rows
}

TEST_F(ComboAccessibleTest, SelectionAndValueChangesAreAnnouncedAsTheRowChanges) {
    combo = RunTimeCombo(0);
    Fill(*combo, 5);
    Log().clear();
    combo->setListIndex(3);
    EXPECT_EQ(Count(QAccessible::ValueChanged, QAccessible::ComboBox), 1);
    ASSERT_EQ(Count(QAccessible::Selection, QAccessible::Cell), 1);
    auto sel = std::find_if(Log().begin(), Log().end(),
                            [](const Announced& a) { return a.type == QAccessible::Selection; });
    EXPECT_EQ(sel->row, 3);

    Log().clear();
    combo->setListIndex(-1);
    EXPECT_EQ(Count(QAccessible::ValueChanged, QAccessible::ComboBox), 1);
    EXPECT_EQ(Count(QAccessible::SelectionWithin, QAccessible::Table), 1);

    Log().clear();
    combo->Clear();
    EXPECT_EQ(Count(QAccessible::TableModelChanged, QAccessible::Table), 1);
    EXPECT_EQ(Rows()->rowCount(), 0);
}

TEST_F(ComboAccessibleTest, TheSortReordersTheTableWithoutTheBusyMessage) {
    combo = RunTimeCombo(1);
    combo->AddItem("b", "2");
    combo->AddItem("a", "1");
    // Cells read while a sort runs must not show "Sorting in progress" to the user.
    combo->Sort(1);
    EXPECT_EQ(Cell(0, 0), "a");
    EXPECT_EQ(Cell(1, 1), "2");
    EXPECT_TRUE(prompter->records().empty());
}
