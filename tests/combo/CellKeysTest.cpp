// The edit cells: Enter with and without AutoFill, typing, the move keys and the key events.
#include <time.h>

#include <algorithm>

#include "ComboInput.h"

using namespace quorlin;

TEST_F(ComboInputTest, AutoFillEnterAppendsTheRowOnce) {
    auto c = Placed(0, 2);
    c->setAutoFill(true);
    c->txtCol1.SetFocus();
    Type(c->txtCol1, "a");
    Press(c->txtCol1, 13);
    EXPECT_TRUE(c->txtCol2.HasFocus());
    Type(c->txtCol2, "b");
    Press(c->txtCol2, 13);
    ASSERT_EQ(c->ListCount(), 3);
    EXPECT_EQ(c->List(2), "a\tb");
    EXPECT_EQ(c->txtCol1.Text(), "");
    EXPECT_EQ(c->txtCol2.Text(), "");
    EXPECT_TRUE(c->txtCol1.HasFocus());
    EXPECT_EQ(c->TopIndex(), c->ListWindow()->lstCol2.TopIndex());
    EXPECT_EQ(Count("Filled"), 1);
    EXPECT_EQ(Count("Click"), 0);

    // A blank second cell adds nothing; the focus goes back to the first cell.
    c->txtCol2.SetFocus();
    Type(c->txtCol2, " ");
    Press(c->txtCol2, 13);
    EXPECT_EQ(c->ListCount(), 3);
    EXPECT_EQ(Count("Filled"), 1);
    EXPECT_TRUE(c->txtCol1.HasFocus());
}

TEST_F(ComboInputTest, FilledFollowsARefusedDuplicateAndTheHiddenFirstColumn) {
    auto c = Placed(1, 0);
    c->setAutoFill(true);
    c->AddItem("a", "b");
    c->txtCol1.setText("A");
    c->txtCol2.setText("B");
    Press(c->txtCol2, 13);
    EXPECT_EQ(c->ListCount(), 1);  // refused, with a beep
    EXPECT_EQ(Count("Filled"), 1);
    EXPECT_EQ(c->txtCol2.Text(), "");

    auto h = Placed(0, 0);
    h->setAutoFill(true);
    h->setWidthCol1(0);
    h->txtCol2.SetFocus();
    Type(h->txtCol2, "b");
    Press(h->txtCol2, 13);
    ASSERT_EQ(h->ListCount(), 1);
    EXPECT_EQ(h->List(0), "\tb");
    EXPECT_TRUE(h->txtCol2.HasFocus());
    EXPECT_EQ(h->txtCol2.Text(), "");
}

TEST_F(ComboInputTest, EnterWithoutAutoFillOrLockedOnlyMovesTheFocus) {
    auto c = Placed(0, 1);
    c->txtCol2.SetFocus();
    Type(c->txtCol2, "b");
    Press(c->txtCol2, 13);
    EXPECT_TRUE(c->txtCol1.HasFocus());
    EXPECT_EQ(c->ListCount(), 1);
    c->setAutoFill(true);
    c->setLocked(true);
    c->txtCol2.SetFocus();
    Press(c->txtCol2, 13);
    EXPECT_TRUE(c->txtCol2.HasFocus());  // swallowed
    EXPECT_EQ(Count("Filled"), 0);
}

TEST_F(ComboInputTest, TypingClearsTheSelectionWithoutClick) {
    auto c = Placed(0, 5);
    c->setListIndex(3);
    site.events.clear();
    c->txtCol1.SetFocus();
    EXPECT_EQ(c->txtCol1.SelLength(), 2);  // the whole cell is selected on focus
    Type(c->txtCol1, "x");
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->ListWindow()->lstCol1.ListIndex(), -1);
    EXPECT_EQ(c->txtCol1.Text(), "x");  // typed over the selected text
    EXPECT_EQ(Count("Click"), 0);
    ASSERT_EQ(args["KeyPress"].size(), 1u);
    EXPECT_EQ(args["KeyPress"][0], (std::vector<int>{'x', 1}));

    c->setAutoFill(true);
    c->setListIndex(2);
    Type(c->txtCol2, "y");
    EXPECT_EQ(c->ListIndex(), 2);  // AutoFill keeps it
    EXPECT_EQ(args["KeyPress"].back(), (std::vector<int>{'y', 2}));
}

TEST_F(ComboInputTest, KeyPressHandlerChangesOrCancelsTheKey) {
    auto c = Placed(1, 3);
    c->setListIndex(1);
    onEvent = [](const std::string& name, ctl::Args& a) {
        if (name == "KeyPress") a[0] = ctl::Variant(int16_t(a[0].toInt16() == 'q' ? 0 : 'Z'));
    };
    c->txtCol1.setText("");
    c->txtCol1.SetFocus();
    c->setListIndex(1);
    c->txtCol1.setSelStart(2);
    Type(c->txtCol1, "q");  // cancelled in the first cell: no change, selection kept
    EXPECT_EQ(c->txtCol1.Text(), "a1");
    EXPECT_EQ(c->ListIndex(), 1);
    Type(c->txtCol1, "k");  // changed: the cell gets the handler's character
    EXPECT_EQ(c->txtCol1.Text(), "a1Z");
    EXPECT_EQ(c->ListIndex(), -1);
}

TEST_F(ComboInputTest, MoveKeysSelectAndRaiseClick) {
    auto c = Placed(0, 3);
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40);  // Down from no selection
    EXPECT_EQ(c->ListIndex(), 0);
    EXPECT_EQ(c->txtCol2.Text(), "b0");
    EXPECT_EQ(Count("Click"), 1);
    EXPECT_EQ(Count("KeyDown"), 1);
    EXPECT_EQ(Count("KeyUp"), 1);
    Press(c->txtCol1, 40);
    Press(c->txtCol1, 40);
    Press(c->txtCol1, 40);  // on the last row: nothing
    EXPECT_EQ(c->ListIndex(), 2);
    EXPECT_EQ(Count("Click"), 3);
    EXPECT_EQ(c->ListWindow()->lstCol1.ListIndex(), 2);
    EXPECT_EQ(c->ListWindow()->lstCol2.ListIndex(), 2);

    auto p = Placed(1, 30);
    p->txtCol2.SetFocus();
    Press(p->txtCol2, 34);  // PageDown from no selection
    EXPECT_EQ(p->ListIndex(), 9);
    p->setListIndex(4);
    Press(p->txtCol2, 33);  // PageUp from row 4
    EXPECT_EQ(p->ListIndex(), 0);
    EXPECT_EQ(p->lstCol1a.ListIndex(), 0);
    Press(p->txtCol2, 46);  // Delete: no selection, no Click
    EXPECT_EQ(Count("Click"), 3);
    EXPECT_EQ(p->ListIndex(), -1);
    EXPECT_EQ(p->lstCol2a.ListIndex(), -1);
}

TEST_F(ComboInputTest, RowsWithAnEmptyCellAreShownWithoutLosingTheSelection) {
    auto c = Placed(0, 0);
    c->AddItem("x", "");
    c->AddItem("", "y");
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40);
    Press(c->txtCol1, 40);
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->txtCol2.Text(), "y");
}

TEST_F(ComboInputTest, LockedKeysRaiseKeyDownOnly) {
    auto c = Placed(0, 3);
    c->setListIndex(1);
    c->setLocked(true);
    site.events.clear();
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40);
    Type(c->txtCol1, "z");
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_EQ(c->txtCol1.Text(), "a1");
    EXPECT_EQ(Count("Click"), 0);
    EXPECT_EQ(Count("KeyDown"), 2);
}

TEST_F(ComboInputTest, DropDownListStyleKeysOnTheControl) {
    auto c = Placed(2, 12);
    c->SetFocus();
    ctl::DoEvents();
    ASSERT_TRUE(c->HasFocus());
    Press(*c, 34);
    EXPECT_EQ(c->ListIndex(), 9);
    EXPECT_EQ(c->lblCol2.Caption(), " b9");
    EXPECT_TRUE(c->FocusShown());
    Press(*c, 38);
    Press(*c, 65);  // other keys: swallowed, nothing moves
    EXPECT_EQ(c->ListIndex(), 8);
    EXPECT_EQ(Count("Click"), 2);
    EXPECT_EQ(Count("KeyDown"), 3);
    EXPECT_EQ(Count("KeyPress"), 0);
}

TEST_F(ComboInputTest, CharactersBeyondSixteenBitsStayWhole) {
    auto c = Placed(0, 3);
    std::vector<int> seen;
    onEvent = [&](const std::string& name, ctl::Args& a) {
        if (name == "KeyPress") seen.push_back(a[0].toInt16());
    };
    c->txtCol1.setText("");
    c->txtCol1.SetFocus();
    for (char32_t ch : {U'\u00e9', U'\U0001F600', U'\u20ac', U'\uac00'})
        ctl::SimulateChar(c->txtCol1, ch);
    EXPECT_EQ(c->txtCol1.Text(), "\u00e9\U0001F600\u20ac\uac00");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[1], int16_t(0xD83D));  // the first half of the pair, as a 16-bit code
    EXPECT_EQ(seen[3], int16_t(0xAC00));

    // A handler still cancels such a character.
    onEvent = [](const std::string& name, ctl::Args& a) {
        if (name == "KeyPress" && a[0].toInt16() == int16_t(0xD83D))
            a[0] = ctl::Variant(int16_t(0));
    };
    c->txtCol2.setText("");
    c->txtCol2.SetFocus();
    for (char32_t ch : {U'a', U'\U0001F600', U'b'}) ctl::SimulateChar(c->txtCol2, ch);
    EXPECT_EQ(c->txtCol2.Text(), "ab");
}

// Typing into a cell costs in proportion to what is typed: four times the characters take
// about four times the processor time (the best of three runs each), not sixteen times.
TEST_F(ComboInputTest, TypingALongRunCostsInProportionToItsLength) {
    auto c = Placed(0, 3);
    auto typing = [&](int n) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            c->txtCol1.setText("");
            c->txtCol1.SetFocus();
            timespec a{}, b{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
            for (int i = 0; i < n; ++i) ctl::SimulateChar(c->txtCol1, char32_t('a' + i % 26));
            EXPECT_EQ(c->txtCol1.Text().size(), size_t(n));
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
            best =
                std::min(best, double(b.tv_sec - a.tv_sec) + 1e-9 * double(b.tv_nsec - a.tv_nsec));
        }
        return best;
    };
    double small = typing(2000), large = typing(8000);
    EXPECT_LT(large, 8 * small) << small << " s for 2,000 characters, " << large << " for 8,000";

    // Nothing typed is cut at a length of its own: a cell takes any length.
    c->txtCol2.setText(std::string(40000, 'x'));
    c->txtCol2.SetFocus();
    c->txtCol2.setSelStart(40000);
    ctl::SimulateChar(c->txtCol2, U'y');
    EXPECT_EQ(c->txtCol2.Text().size(), 40001u);
    EXPECT_EQ(c->txtCol2.MaxLength(), 0);
}
