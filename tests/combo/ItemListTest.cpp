#include <random>

#include "ComboFixture.h"
#include "combo/QuorlinModule.h"
#include "platform/com/TypeInfo.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Text.h"

using namespace quorlin;

namespace {
const std::pair<int, std::string> kInvalid{5, "Invalid procedure call or argument"};
}

TEST_F(ComboTest, DuplicateTestLooksAtEachColumnOfTheOwnListsAlone) {
    auto c = RunTimeCombo(1);
    int64_t beeps = ctl::BeepCount();
    c->AddItem("a", "b");
    c->AddItem("A", "B");
    EXPECT_EQ(c->ListCount(), 1);
    EXPECT_EQ(c->NewIndex(), 0);
    EXPECT_EQ(ctl::BeepCount(), beeps + 1);

    c->Clear();
    c->AddItem("a", "x");
    c->AddItem("b", "y");
    c->AddItem("a", "y");  // no row holds both, yet both cells are taken
    EXPECT_EQ(c->ListCount(), 2);
    c->AddItem("a", "z");
    EXPECT_EQ(c->ListCount(), 3);
    EXPECT_EQ(c->NewIndex(), 2);

    // Removing or rewriting a row frees its cells again.
    c->RemoveItem(2);
    c->setList(0, "q;x");
    c->AddItem("a", "y");
    EXPECT_EQ(c->ListCount(), 3);

    auto d = RunTimeCombo(0);  // the drop-down pair is not tested
    d->AddItem("a", "b");
    d->AddItem("A", "B");
    EXPECT_EQ(d->ListCount(), 2);
    EXPECT_EQ(d->NewIndex(), 1);
}

TEST_F(ComboTest, DuplicateIndexAgreesWithAScanOfTheLists) {
    auto c = RunTimeCombo(1);
    std::mt19937 rng(7);
    const char* words[] = {"a", "A", "b", "B", "\xc3\x89t\xc3\xa9", "\xc3\xa9T\xc3\x89", "", " a"};
    auto word = [&] { return std::string(words[rng() % 8]); };
    auto scan = [&](const ctl::ListBox& l, const std::string& t) {
        for (int i = 0; i < l.ListCount(); ++i)
            if (ctl::EqualsNoCase(l.List(i), t)) return true;
        return false;
    };
    for (int step = 0; step < 400; ++step) {
        int op = int(rng() % 10);
        int n = c->ListCount();
        if (op < 6) {
            std::string x = word(), y = word();
            bool dup = scan(c->lstCol1a, x) && scan(c->lstCol2a, y);
            c->AddItem(x, y);
            ASSERT_EQ(c->ListCount(), dup ? n : n + 1) << step;
        } else if (op < 8 && n > 0) {
            c->RemoveItem(int32_t(rng() % unsigned(n)));
        } else if (op < 9 && n > 0) {
            c->setList(int32_t(rng() % unsigned(n)), word() + "\t" + word());
        } else if (rng() % 3 == 0) {
            c->Sort(int16_t(1 + rng() % 2));  // puts every row back
        } else if (rng() % 8 == 0) {
            c->Clear();
        }
    }
}

TEST_F(ComboTest, RemoveItemKeepsTheSelectionOnItsRow) {
    auto c = RunTimeCombo(1);
    Fill(*c, 4);
    c->setListIndex(2);
    site.events.clear();
    c->RemoveItem(0);
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 1);
    EXPECT_EQ(c->txtCol1.Text(), "a2");
    c->RemoveItem(1);
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->txtCol1.Text(), "");
    EXPECT_EQ(c->txtCol2.Text(), "");
    EXPECT_TRUE(site.events.empty());  // no Click
    EXPECT_EQ(c->ListCount(), 2);
    EXPECT_EQ(c->List(1), "a3\tb3");
    EXPECT_EQ(c->ItemData(1), 30);  // item data moves with its row
}

TEST_F(ComboTest, ListIndexShowsTheRowAndClicks) {
    auto c = RunTimeCombo(0);
    Fill(*c, 3);
    c->setListIndex(1);
    EXPECT_EQ(c->txtCol1.Text(), "a1");
    EXPECT_EQ(c->txtCol2.Text(), "b1");
    EXPECT_EQ(c->ListWindow()->lstCol2.ListIndex(), 1);
    c->setListIndex(1);
    EXPECT_EQ(site.events, (std::vector<std::string>{"Click", "Click"}));
    EXPECT_EQ(site.changed, (std::vector<std::string>{"ListIndex", "ListIndex"}));
    c->setListIndex(-1);
    EXPECT_EQ(c->txtCol1.Text(), "");
    EXPECT_EQ(c->ListWindow()->lstCol1.ListIndex(), -1);
    EXPECT_EQ(ErrorOf([&] { c->setListIndex(-2); }), kInvalid);
    EXPECT_EQ(ErrorOf([&] { c->setListIndex(3); }).second, "Item '3' do not exist");
    c->setLocked(true);
    site.events.clear();
    c->setListIndex(0);
    EXPECT_TRUE(site.events.empty());  // Locked: no Click
}

TEST_F(ComboTest, ListSplitsAtTabThenSemicolon) {
    auto c = RunTimeCombo(1);
    Fill(*c, 1);
    c->setItemData(0, 77);
    c->setList(0, "x;y");
    EXPECT_EQ(c->ListCol(1, 0), "x");
    EXPECT_EQ(c->ListCol(2, 0), "y");
    c->setList(0, "x\ty;z");
    EXPECT_EQ(c->ListCol(2, 0), "y;z");
    c->setList(0, " x ");
    EXPECT_EQ(c->ListCol(1, 0), " x ");
    EXPECT_EQ(c->ListCol(2, 0), "");
    EXPECT_EQ(c->List(0), " x \t");
    EXPECT_EQ(c->ItemData(0), 77);
}

TEST_F(ComboTest, ErrorsCarryTheirExactTexts) {
    auto c = RunTimeCombo(1);
    EXPECT_EQ(ErrorOf([&] { c->ListCol(3, 0); }), kInvalid);  // even on an empty list
    EXPECT_EQ(ErrorOf([&] { c->TextCol(0); }), kInvalid);
    Fill(*c, 5);
    EXPECT_EQ(ErrorOf([&] { c->ItemData(5); }),
              std::make_pair(6, std::string("Item '5' do not exist")));
    EXPECT_EQ(ErrorOf([&] { c->List(-1); }), kInvalid);
    EXPECT_EQ(ErrorOf([&] { c->RemoveItem(9); }).second, "Item '9' do not exist");
    EXPECT_EQ(ErrorOf([&] { c->setTopIndex(-1); }), kInvalid);
    EXPECT_EQ(ErrorOf([&] { c->setItemData(7, 1); }).second, "Item '7' do not exist");
    EXPECT_EQ(ErrorOf([&] { c->setListCount(3); }),
              std::make_pair(7, std::string("Can't assign to read-only property")));
    EXPECT_EQ(c->ListCount(), 5);

    auto d = NewCombo(designSite, false);
    d->setListCount(3);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text, "Can't assign to read-only property");
    EXPECT_EQ(prompter->records()[0].icon, ctl::MsgIcon::Critical);
}

TEST_F(ComboTest, BusySortTurnsListOperationsAway) {
    auto c = RunTimeCombo(1);
    Fill(*c, 3);
    c->setListIndex(1);
    c->SortBusy = true;
    prompter->clearRecords();
    site.events.clear();
    c->AddItem("new", "row");
    c->RemoveItem(0);
    c->Clear();
    EXPECT_EQ(c->List(0), "");
    c->setList(0, "x;y");
    EXPECT_EQ(c->ListCol(1, 0), "");
    EXPECT_EQ(c->TextCol(1), "");
    EXPECT_EQ(c->ItemData(0), 0);
    c->setItemData(0, 5);
    c->setListIndex(2);
    c->setTopIndex(1);
    EXPECT_EQ(prompter->records().size(), 11u);
    for (const auto& r : prompter->records()) {
        EXPECT_EQ(r.text, "Sorting in progress, wait please");
        EXPECT_EQ(r.icon, ctl::MsgIcon::Critical);
        EXPECT_EQ(r.title, LibraryTitle());
    }
    EXPECT_TRUE(site.events.empty());
    // Nothing changed, and the reads without the rule still work.
    EXPECT_EQ(c->ListCount(), 3);
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->RowText(0), "a0\tb0");
    EXPECT_EQ(c->RowData(2), 20);
    c->ClearRows();
    c->AddRow("z", "z", 9);
    c->AddRow("z", "z", 9);  // no duplicate test for the sort's own rows
    EXPECT_EQ(c->ListCount(), 2);
    EXPECT_EQ(c->NewIndex(), 2);
}

TEST_F(ComboTest, ClearEmptiesRowsAndCellsButKeepsNewIndex) {
    auto c = RunTimeCombo(0);
    Fill(*c, 3);
    c->setListIndex(2);
    c->setTopIndex(1);
    c->Clear();
    EXPECT_EQ(c->ListCount(), 0);
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(c->NewIndex(), 2);
    EXPECT_EQ(c->txtCol1.Text(), "");
}

TEST_F(ComboTest, TopIndexStopsWhereTheListCanScroll) {
    auto c = RunTimeCombo(1);
    Fill(*c, 30);
    int visible = c->lstCol2a.VisibleRows();
    ASSERT_LT(visible, 30);
    c->setTopIndex(29);
    EXPECT_EQ(c->TopIndex(), 30 - visible);
    EXPECT_EQ(c->lstCol1a.TopIndex(), 30 - visible);
    c->setTopIndex(3);
    EXPECT_EQ(c->TopIndex(), 3);
    c->RemoveItem(10);
    EXPECT_EQ(c->TopIndex(), 2);
}

TEST_F(ComboTest, TextJoinsTheCells) {
    auto c = NewCombo(designSite, false);
    EXPECT_EQ(c->Text(), "");
    c->setText("a;b");
    EXPECT_EQ(c->txtCol1.Text(), "a");
    EXPECT_EQ(c->txtCol2.Text(), "b");
    EXPECT_EQ(c->Text(), "a;b");  // one line at design time
    c->txtCol2.setText("");
    EXPECT_EQ(c->Text(), "a");  // an empty second cell drops the tab
    auto r = RunTimeCombo(0);
    r->setText("x\ty");
    EXPECT_EQ(r->Text(), "x\ty");
    EXPECT_EQ(r->TextCol(2), "y");
}

TEST_F(ComboTest, HostDrivesTheControlByName) {
    auto c = RunTimeCombo(1);
    ctl::Args add = {ctl::Variant("p"), ctl::Variant("q")};
    ctl::Invoke(*c, "additem", ctl::MemberKind::Method, add);
    EXPECT_EQ(c->ItemData(0), 0);
    ctl::Args put = {ctl::Variant(0), ctl::Variant("r;s")};
    ctl::Invoke(*c, "List", ctl::MemberKind::PropertyPut, put);
    ctl::Args get = {ctl::Variant(0)};
    EXPECT_EQ(ctl::Invoke(*c, "List", ctl::MemberKind::PropertyGet, get).toString(), "r\ts");
    ctl::Args none;
    EXPECT_EQ(ctl::Invoke(*c, 0, ctl::MemberKind::PropertyGet, none).toString(), "");  // Text
    ctl::Args bad = {ctl::Variant(9)};
    try {
        ctl::Invoke(*c, "ItemData", ctl::MemberKind::PropertyGet, bad);
        ADD_FAILURE();
    } catch (const ctl::RaisedError& e) {
        EXPECT_EQ(e.description(), "Item '9' do not exist");
    }
    const ctl::ClassInfo& ci = ucvQuorlin::TypeInfo();
    EXPECT_EQ(ci.progId, "Quorlin.ucvQuorlin");
    EXPECT_EQ(ci.find("Style", ctl::MemberKind::PropertyGet)->dispid, 0x68030003);
    EXPECT_EQ(ci.find("Font", ctl::MemberKind::PropertyPutRef)->dispid, int32_t(0xFFFFFE00));
    EXPECT_EQ(ci.findEvent("Filled")->dispid, 8);
    ASSERT_EQ(ci.enums.size(), 1u);
    EXPECT_EQ(ci.enums[0].items[2].name, "Dropdown List");
}
