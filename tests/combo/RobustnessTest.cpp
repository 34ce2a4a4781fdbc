// Inputs at the edges: huge and negative values, stored values no setter would take, design-time
// calls and calls after Terminate. None may crash, hang or leave hidden state behind.
#include <climits>

#include "ComboFixture.h"
#include "platform/sys/Screen.h"

using namespace quorlin;

TEST_F(ComboTest, RowsPastSixteenBitsAreReadChangedAndRemovedLikeAnyOther) {
    auto c = RunTimeCombo(SimpleCombo);
    Fill(*c, 40000);
    ASSERT_EQ(c->ListCount(), 40000);
    EXPECT_EQ(c->ItemData(32768), 327680);
    EXPECT_EQ(c->List(39999), "a39999\tb39999");
    EXPECT_EQ(c->ListCol(2, 32768), "b32768");
    c->setList(32768, "x;y");
    EXPECT_EQ(c->ListCol(1, 32768), "x");
    c->setItemData(32768, -7);
    EXPECT_EQ(c->ItemData(32768), -7);
    c->setListIndex(39999);
    EXPECT_EQ(c->txtCol1.Text(), "a39999");
    c->RemoveItem(39999);
    EXPECT_EQ(c->ListCount(), 39999);
    EXPECT_EQ(c->ListIndex(), -1);
    c->RemoveItem(32768);
    EXPECT_EQ(c->List(32768), "a32769\tb32769");
    // Past the last row the missing item is named first.
    EXPECT_EQ(ErrorOf([&] { c->List(INT_MAX); }).second, "Item '2147483647' do not exist");
    EXPECT_EQ(ErrorOf([&] { c->List(INT_MIN); }).first, 5);
}

TEST_F(ComboTest, ListHeightAndColumnsStayWithinTheScreenAndThirtyTwoBits) {
    const int32_t screen = ctl::Screen::HeightTwips();
    auto c = NewCombo(designSite, false);
    c->setListHeight(INT_MAX);
    EXPECT_LE(c->ListHeight(), screen - c->EditHeight());
    EXPECT_GT(c->ListHeight(), 0);
    c->setStyle(SimpleCombo);
    c->setListHeight(INT_MAX);
    EXPECT_LE(c->Height(), screen);

    // Absurd widths are capped so the layout arithmetic holds: resizing shares the new width
    // between the two equal columns.
    c->setWidthCol1(INT_MAX);
    c->setWidthCol2(INT_MAX);
    EXPECT_EQ(c->WidthCol1(), c->WidthCol2());
    EXPECT_GT(c->WidthCol1(), 1'000'000);
    c->setSize(8030, 2130);
    EXPECT_NEAR(c->WidthCol1(), 4015, 15);
    EXPECT_NEAR(c->WidthCol2(), 4015, 15);

    // The same values from a stored property file.
    ctl::PropertyBag bag;
    bag.WriteProperty("ListHeight", int32_t(INT_MAX), int32_t(1800));
    bag.WriteProperty("WidthCol1", int32_t(INT_MAX), int32_t(1100));
    bag.WriteProperty("WidthCol2", int32_t(-5), int32_t(2900));
    bag.WriteProperty("Style", int32_t(1), int32_t(0));
    auto r = Load(bag);
    EXPECT_LE(r->Height(), screen);
    EXPECT_EQ(r->WidthCol2(), 0);
    EXPECT_GT(r->Width(), 0);
}

TEST_F(ComboTest, StyleChangeAtDesignTimeRedoesHeightAndLeavesNoHiddenRows) {
    auto c = NewCombo(designSite, false);
    c->setStyle(SimpleCombo);
    c->setSize(c->Width(), 2130);
    c->AddItem("a", "b");
    c->setListIndex(0);
    c->setStyle(DropdownCombo);
    EXPECT_EQ(c->Height(), 330);
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->lstCol1a.ListCount(), 0);
    c->AddItem("A", "B");  // nothing left in the simple style's lists refuses it
    EXPECT_EQ(c->ListCount(), 1);
    c->setStyle(DropdownList);  // same pair: the row stays
    EXPECT_EQ(c->ListCount(), 1);
    c->setStyle(SimpleCombo);
    EXPECT_EQ(c->ListCount(), 0);
    EXPECT_EQ(c->Height(), 330 + c->ListHeight());
}

TEST_F(ComboTest, EnabledIsTheControlsOwnState) {
    ctl::Form form;
    auto c = NewCombo(designSite, false);
    form.Place(*c, 0, 0);
    form.setEnabled(false);
    EXPECT_TRUE(c->ControlEnabled());
    ctl::PropertyBag bag;
    c->WriteProperties(bag);
    EXPECT_TRUE(bag.keys().empty());
    c->setControlEnabled(false);
    form.setEnabled(true);
    EXPECT_FALSE(c->ControlEnabled());
    c->WriteProperties(bag);
    EXPECT_FALSE(Load(bag)->ControlEnabled());
}

TEST_F(ComboTest, TerminateTwiceAndCallsAfterItAreHarmless) {
    for (int style : {DropdownCombo, SimpleCombo, DropdownList}) {
        SCOPED_TRACE(style);
        auto c = RunTimeCombo(style);
        Fill(*c, 3);
        c->Terminate();
        c->Terminate();
        EXPECT_EQ(c->ListWindow(), nullptr);
        c->AddItem("late", "row");
        c->Clear();
        c->ListCount();
        ErrorOf([&] { c->setListIndex(0); });
        ErrorOf([&] { c->List(0); });
        c->setBackcolor(0x123456);
        c->setControlFont(ctl::MakeFont("Arial", 12));
        c->setListHeight(900);
        c->setSize(5000, 2000);
        EXPECT_EQ(c->ListWindow(), nullptr);  // nothing brought the drop-down window back
    }
}

TEST_F(ComboTest, StoredStyleOutsideTheRangeTakesEveryCall) {
    for (int32_t style : {-1, 3, INT_MAX}) {
        SCOPED_TRACE(style);
        ctl::PropertyBag bag;
        bag.WriteProperty("Style", style, int32_t(0));
        auto c = Load(bag);
        EXPECT_EQ(c->Style(), style);
        c->setSize(6000, 3000);
        EXPECT_GT(c->Width(), 0);
        c->setWidthCol1(0);
        c->setListHeight(INT_MAX);
        c->setControlFont(ctl::MakeFont("Arial", 14));
        c->setBackcolor(0xFF);
        c->setLocked(true);
        EXPECT_EQ(ErrorOf([&] { c->RemoveItem(0); }).first, 6);
        EXPECT_EQ(ErrorOf([&] { c->setListIndex(-1); }).first, 0);
        EXPECT_EQ(ErrorOf([&] { c->setTopIndex(0); }).first, 6);
        EXPECT_EQ(ErrorOf([&] { c->setStyle(1); }).first, 7);
        EXPECT_EQ(c->Text(), "");
        ctl::PropertyBag out;
        c->WriteProperties(out);
        EXPECT_EQ(out.ReadProperty("Style", int32_t(0)).toInt32(), style);
        c->Terminate();
    }
}
