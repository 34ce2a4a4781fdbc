// The lists of the simple style: clicks, keys, moving over them and scrolling.
#include "ComboInput.h"

using namespace quorlin;

namespace {
float RowY(const ctl::ListBox& l, int row) {
    return float(l.RowHeight() * row + l.RowHeight() / 2);
}
}  // namespace

TEST_F(ComboInputTest, AClickOnAListRowRaisesClickTwice) {
    auto c = Placed(1, 6);
    Click(c->lstCol2a, 100, RowY(c->lstCol2a, 3));
    EXPECT_EQ(c->ListIndex(), 3);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 3);
    EXPECT_EQ(c->txtCol1.Text(), "a3");
    EXPECT_EQ(Count("Click"), 2);
    EXPECT_EQ(Count("MouseDown"), 1);
    EXPECT_EQ(Count("MouseUp"), 1);
}

TEST_F(ComboInputTest, LockedListKeepsItsRow) {
    auto c = Placed(1, 6);
    c->setListIndex(1);
    c->setLocked(true);
    site.events.clear();
    Click(c->lstCol1a, 100, RowY(c->lstCol1a, 4));
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 1);
    EXPECT_EQ(Count("Click"), 0);
    Press(c->lstCol1a, 40);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 1);
    EXPECT_EQ(Count("KeyDown"), 1);
}

TEST_F(ComboInputTest, ListKeysMoveWithoutClick) {
    auto c = Placed(1, 30);
    std::vector<int> codes;
    onEvent = [&](const std::string& name, ctl::Args& a) {
        if (name == "KeyDown") codes.push_back(a[0].toInt16());
    };
    c->lstCol2a.SetFocus();
    Press(c->lstCol2a, 34);
    EXPECT_EQ(c->ListIndex(), 9);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 9);
    EXPECT_EQ(c->txtCol2.Text(), "b9");
    Press(c->lstCol2a, 36);  // Home: swallowed
    EXPECT_EQ(c->ListIndex(), 9);
    Press(c->lstCol2a, 65);  // a letter goes to the list as it stands
    EXPECT_EQ(codes, (std::vector<int>{0, 0, 65}));
    EXPECT_EQ(Count("Click"), 0);
}

TEST_F(ComboInputTest, ThePairScrollsAndMovesTogether) {
    auto c = Placed(1, 40);
    c->lstCol1a.setTopIndex(12);  // as if the user scrolled it
    c->lstCol1a.onScroll();
    EXPECT_EQ(c->lstCol2a.TopIndex(), 12);
    EXPECT_EQ(c->TopIndex(), 12);
    c->lstCol2a.setListIndex(14);
    ctl::SimulateMouse(c->lstCol2a, "move", 0, 0, 50, RowY(c->lstCol2a, 2));
    EXPECT_EQ(c->lstCol1a.ListIndex(), 14);
    EXPECT_EQ(Count("MouseMove"), 1);
}

TEST_F(ComboInputTest, ALetterTypedInOneListMovesThePairAndTheCells) {
    auto c = Placed(1, 0);
    for (const char* fruit : {"apple", "banana", "cherry", "damson"}) c->AddItem(fruit, fruit);
    c->lstCol1a.SetFocus();
    ctl::SimulateChar(c->lstCol1a, U'c');
    EXPECT_EQ(c->lstCol1a.ListIndex(), 2);
    EXPECT_EQ(c->lstCol2a.ListIndex(), 2);
    EXPECT_EQ(c->ListIndex(), 2);
    EXPECT_EQ(c->txtCol1.Text(), "cherry");
    EXPECT_EQ(Count("Click"), 0);  // as the move keys: no Click on the keys' path
    c->lstCol2a.SetFocus();
    ctl::SimulateChar(c->lstCol2a, U'b');
    EXPECT_EQ(c->lstCol1a.ListIndex(), 1);
    EXPECT_EQ(c->txtCol2.Text(), "banana");

    c->setLocked(true);
    ctl::SimulateChar(c->lstCol2a, U'd');
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->lstCol1a.ListIndex(), 1);
    EXPECT_EQ(c->lstCol2a.ListIndex(), 1);
}

TEST_F(ComboInputTest, TopIndexIsTheRowTheListsShowAtTheTop) {
    auto c = Placed(1, 60);
    c->lstCol2a.SetFocus();
    for (int i = 0; i < 3; ++i) Press(c->lstCol2a, 34);
    ASSERT_EQ(c->ListIndex(), 29);
    int top = c->lstCol2a.TopIndex();
    EXPECT_GT(top, 29 - c->lstCol2a.VisibleRows());
    EXPECT_EQ(c->TopIndex(), top);
    EXPECT_EQ(c->lstCol1a.TopIndex(), top);
    // Moved from a cell, or by the host, the same.
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 34);
    EXPECT_EQ(c->TopIndex(), c->lstCol2a.TopIndex());
    EXPECT_GT(c->TopIndex(), top);
    c->setListIndex(0);
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(c->lstCol1a.TopIndex(), 0);
}
