// The drop-down window: where it opens, its keys and mouse, and the row handed back on the
// timer's tick.
#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QWidget>

#include "ComboInput.h"
#include "platform/sys/Screen.h"

using namespace quorlin;

namespace {
int Pixel() {
    return ctl::Widget::TwipsY();
}
}  // namespace

TEST_F(ComboInputTest, OpensUnderTheControlAsWideAsIt) {
    auto c = Placed(0, 20);
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40, ctl::vbAltMask);
    Window& w = *c->ListWindow();
    ASSERT_TRUE(w.form.IsShown());
    EXPECT_TRUE(w.FlagShowList);
    EXPECT_FALSE(w.Modal);
    EXPECT_TRUE(w.lstCol1.HasFocus());
    ctl::Widget::RectPx r = c->WindowRect();
    EXPECT_EQ(w.form.Left(), r.left * Pixel());
    EXPECT_EQ(w.form.Top(), r.bottom * Pixel());
    EXPECT_EQ(w.form.Width(), c->Width());
    EXPECT_EQ(c->ListHeight(), w.lstCol1.Height());
    EXPECT_EQ(Count("KeyDown"), 0);  // Alt+Down raises nothing
    // The first column hidden: 1100 twips further left.
    Press(w.lstCol1, 27);
    c->setWidthCol1(0);
    c->txtCol2.SetFocus();
    Press(c->txtCol2, 40, ctl::vbAltMask);
    EXPECT_EQ(w.form.Left(), ctl::Widget::ToPxX(c->WindowRect().left * Pixel() - 1100) * Pixel());
    EXPECT_TRUE(w.lstCol2.HasFocus());
}

TEST_F(ComboInputTest, OpensAboveAControlNearTheBottom) {
    int bottom = ctl::Screen::HeightTwips() - 800;
    auto c = Placed(0, 20, 3000, bottom);
    c->Flow().ShowList();
    Window& w = *c->ListWindow();
    ctl::Widget::RectPx r = c->WindowRect();
    EXPECT_EQ(w.form.Top() + w.form.Height(), r.top * Pixel());
    w.HideChildForm();
}

TEST_F(ComboInputTest, EscapeRestoresTheRowWithoutClick) {
    auto c = Placed(0, 20);
    c->setListIndex(3);
    site.events.clear();
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40, ctl::vbAltMask);
    Window& w = *c->ListWindow();
    Press(w.lstCol1, 40);
    Press(w.lstCol1, 40);
    EXPECT_EQ(w.lstCol2.ListIndex(), 5);
    Press(w.lstCol1, 27);
    EXPECT_FALSE(w.form.IsShown());
    EXPECT_EQ(w.lstCol1.ListIndex(), 3);
    EXPECT_EQ(w.lstCol2.ListIndex(), 3);
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(c->ListIndex(), 3);
    EXPECT_EQ(Count("Click"), 0);
}

TEST_F(ComboInputTest, EnterHandsTheRowBackOnTheNextTick) {
    auto c = Placed(0, 20);
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40, ctl::vbAltMask);
    Window& w = *c->ListWindow();
    Press(w.lstCol1, 34);
    Press(w.lstCol1, 38);
    Press(w.lstCol1, 13);
    EXPECT_FALSE(w.form.IsShown());
    EXPECT_EQ(c->ListIndex(), -1);  // not yet
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(c->ListIndex(), 8);
    EXPECT_EQ(c->txtCol1.Text(), "a8");
    EXPECT_EQ(Count("Click"), 1);
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(Count("Click"), 1);  // handed back once
}

TEST_F(ComboInputTest, MouseTracksAndPicksARow) {
    auto c = Placed(0, 20);
    ctl::SimulateMouse(c->imgCombo, "down", ctl::vbLeftButton, 0, 30, 30);
    EXPECT_EQ(c->imgCombo.Picture(), c->imgCboDown);
    ctl::SimulateMouse(c->imgCombo, "up", ctl::vbLeftButton, 0, 30, 30);
    EXPECT_EQ(c->imgCombo.Picture(), c->imgCboUp);
    Window& w = *c->ListWindow();
    ASSERT_TRUE(w.FlagShowList);
    EXPECT_TRUE(c->Flow().OpenedByMouse);
    c->Flow().TimerProc_Timer();  // the list has the focus: it stays open
    EXPECT_FALSE(c->Flow().OpenedByMouse);
    EXPECT_TRUE(w.FlagShowList);
    float row4 = float(w.lstCol2.RowHeight() * 4 + Pixel());
    ctl::SimulateMouse(w.lstCol2, "move", 0, 0, 100, row4);
    EXPECT_EQ(w.lstCol1.ListIndex(), 4);
    EXPECT_EQ(w.lstCol2.ListIndex(), 4);
    ctl::SimulateMouse(w.lstCol2, "down", ctl::vbLeftButton, 0, 100, row4);
    EXPECT_FALSE(w.FlagShowList);
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(c->ListIndex(), 4);
    EXPECT_EQ(Count("Click"), 1);
}

TEST_F(ComboInputTest, LockedListOpensButPicksNothing) {
    auto c = Placed(0, 20);
    c->setListIndex(2);
    c->setLocked(true);
    site.events.clear();
    Click(c->imgCombo, 30, 30);
    Window& w = *c->ListWindow();
    ASSERT_TRUE(w.FlagShowList);
    Press(w.lstCol1, 40);
    EXPECT_EQ(w.lstCol1.ListIndex(), 2);
    ctl::SimulateMouse(w.lstCol1, "move", 0, 0, 100, float(w.lstCol1.RowHeight() * 6));
    EXPECT_EQ(w.lstCol1.ListIndex(), 2);
    Press(w.lstCol1, 13);
    EXPECT_FALSE(w.FlagShowList);
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(c->ListIndex(), 2);
    EXPECT_EQ(Count("Click"), 0);
}

TEST_F(ComboInputTest, FocusElsewhereClosesTheListOnTheTick) {
    auto c = Placed(2, 20);
    Click(c->lblCol2, 60, 60);
    Window& w = *c->ListWindow();
    ASSERT_TRUE(w.FlagShowList);
    EXPECT_EQ(Count("MouseDown"), 1);  // the labels raise the mouse events
    w.form.qwidget()->hide();          // the pop-up closed itself (a click outside it)
    EXPECT_FALSE(w.FlagShowList);
    c->SetFocus();
    ctl::DoEvents();
    c->Flow().TimerProc_Timer();
    EXPECT_TRUE(c->FocusShown());
    // A second label click closes it again.
    Click(c->lblCol1, 60, 60);
    Click(c->lblCol1, 60, 60);
    EXPECT_FALSE(w.FlagShowList);
    EXPECT_EQ(Count("Click"), 0);
}

TEST_F(ComboInputTest, ARightReleaseWithShiftCtrlAndAltOnTheButtonShowsTheAboutBox) {
    auto c = Placed(0, 20);
    prompter->clearRecords();
    ctl::SimulateMouse(c->imgCombo, "up", ctl::vbRightButton, 3, 30, 30);  // not all three
    EXPECT_TRUE(prompter->records().empty());
    ctl::SimulateMouse(c->imgCombo, "up", ctl::vbRightButton, 7, 30, 30);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].kind, "about");
    EXPECT_FALSE(c->ListWindow() && c->ListWindow()->FlagShowList);  // the list did not open
}

TEST_F(ComboInputTest, ARowPastSixteenBitsIsPickedLikeAnyOther) {
    auto c = Placed(0, 40000);
    c->setListIndex(39998);
    site.events.clear();
    c->txtCol1.SetFocus();
    Press(c->txtCol1, 40, ctl::vbAltMask);
    Window& w = *c->ListWindow();
    ASSERT_TRUE(w.FlagShowList);
    Press(w.lstCol1, 40);
    Press(w.lstCol1, 13);
    c->Flow().TimerProc_Timer();
    EXPECT_EQ(c->ListIndex(), 39999);
    EXPECT_EQ(c->txtCol2.Text(), "b39999");
    EXPECT_EQ(Count("Click"), 1);
}

TEST_F(ComboInputTest, TheLastVisibleListCarriesTheScrollBar) {
    auto c = Placed(0, 50);
    Window& w = *c->ListWindow();
    c->Flow().ShowList();
    EXPECT_TRUE(w.lstCol2.ScrollBarShown());
    EXPECT_FALSE(w.lstCol1.ScrollBarShown());  // the pair reads as one list
    w.HideChildForm();
    c->setWidthCol2(0);
    c->Flow().ShowList();
    ASSERT_FALSE(w.lstCol2.Visible());
    EXPECT_TRUE(w.lstCol1.ScrollBarShown());
    // Dragging its scroll bar brings later rows into view.
    static_cast<QAbstractScrollArea*>(w.lstCol1.View())->verticalScrollBar()->setValue(30);
    EXPECT_EQ(w.lstCol1.TopIndex(), 30);
    w.HideChildForm();
    c->setWidthCol2(2900);
    c->Flow().ShowList();
    EXPECT_FALSE(w.lstCol1.ScrollBarShown());
    EXPECT_TRUE(w.lstCol2.ScrollBarShown());
    w.HideChildForm();
}
