#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QListView>
#include <QPixmap>

#include "platform/com/UserControl.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/Input.h"

using namespace ctl;

namespace {
struct Surface {
    Form form;
};
}  // namespace

TEST(ListBox, RowsKeepTheirDataAndSelection) {
    Surface s;
    ListBox l(s.form);
    for (int i = 0; i < 5; ++i) l.AddItem("r" + std::to_string(i), i * 2);
    l.setListIndex(3);
    l.RemoveItem(1);
    EXPECT_EQ(l.ListIndex(), 2);
    EXPECT_EQ(l.List(2), "r3");
    EXPECT_EQ(l.ItemData(2), 6);
    l.RemoveItem(2);  // the selected row
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.ListCount(), 3);
    EXPECT_EQ(l.ItemData(9), 0);  // out of range reads nothing, never crashes
    l.setList(9, "x");
    l.Clear();
    EXPECT_EQ(l.ListCount(), 0);
}

TEST(ListBox, RowsAppendedQuietlyAreReadAtOnceAndReachTheView) {
    Surface s;
    s.form.setVisible(true);
    ListBox l(s.form);
    l.setHeight(5 * l.RowHeight());
    l.setVisible(true);
    auto* view = static_cast<QListView*>(l.View());
    l.AddItem("a", 1);
    l.AppendRow("b", 2);
    l.AppendRow("c", 3);
    l.AddItem("d", 4);  // told at once, after the quiet rows, in order
    EXPECT_EQ(view->model()->rowCount(), 4);
    l.AppendRow("e", 5);
    EXPECT_EQ(l.ListCount(), 5);
    EXPECT_EQ(l.List(4), "e");
    EXPECT_EQ(l.ItemData(4), 5);
    l.setListIndex(4);  // a row the view had not heard of yet
    EXPECT_EQ(l.ListIndex(), 4);
    EXPECT_EQ(view->currentIndex().data().toString(), "e");
    for (int i = 0; i < 20; ++i) l.AppendRow("x" + std::to_string(i));
    l.RemoveItem(6);
    EXPECT_EQ(l.List(6), "x2");
    l.AppendRow("last");
    QCoreApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), l.ListCount());
    l.AppendRow("grabbed");
    view->grab();  // painting reaches the view without the event loop
    EXPECT_EQ(view->model()->rowCount(), l.ListCount());
    l.AppendRow("cleared");
    l.Clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), 0);
}

TEST(ListBox, ReorderMovesEachRowWithItsDataOrChangesNothing) {
    Surface s;
    ListBox l(s.form);
    l.setHeight(2 * l.RowHeight());
    const char* texts[] = {"  two ", "zero", "\tone ", "three"};
    for (int i = 0; i < 4; ++i) l.AddItem(texts[i], i * 10);
    l.AppendRow("  ");  // not told to the view yet
    auto* view = static_cast<QListView*>(l.View());
    for (const std::vector<int32_t>& bad : std::vector<std::vector<int32_t>>{
             {0, 1, 2, 3}, {0, 1, 2, 3, 3}, {0, 1, 2, 3, 5}, {-1, 1, 2, 3, 4}}) {
        EXPECT_FALSE(l.Reorder(bad, true));
        EXPECT_EQ(l.List(0), "  two ");
    }
    l.setListIndex(3);
    bool trimmed = false;
    EXPECT_TRUE(l.Reorder({4, 1, 2, 0, 3}, true, &trimmed));
    EXPECT_TRUE(trimmed);
    std::vector<std::string> now;
    for (int i = 0; i < l.ListCount(); ++i) now.push_back(l.List(i));
    EXPECT_EQ(now, (std::vector<std::string>{"", "zero", "\tone", "two", "three"}));
    EXPECT_EQ(l.ItemData(0), 0);  // the appended row's
    EXPECT_EQ(l.ItemData(3), 0);
    EXPECT_EQ(l.ItemData(4), 30);
    EXPECT_EQ(l.ListIndex(), -1);
    EXPECT_EQ(l.TopIndex(), 0);
    EXPECT_EQ(view->model()->rowCount(), 5);
    EXPECT_EQ(view->model()->index(2, 0).data().toString(), "\tone");
    EXPECT_TRUE(l.Reorder({1, 0, 2, 3, 4}, false, &trimmed));
    EXPECT_FALSE(trimmed);
    EXPECT_EQ(l.List(0), "zero");
}

TEST(ListBox, AListNotYetShownHasNoToolkitListAndShowsWhatWasAskedWhenItIs) {
    Surface s;
    ListBox l(s.form);
    l.setHeight(3 * l.RowHeight() + l.RowHeight() / 2);
    for (int i = 0; i < 10; ++i) l.AppendRow("r" + std::to_string(i), i);
    l.setListIndex(7);
    l.setScrollBar(false);
    l.setBackColor(0x00FF00);
    EXPECT_EQ(l.qwidget()->findChild<QListView*>(), nullptr);
    EXPECT_EQ(l.ListIndex(), 7);
    EXPECT_EQ(l.TopIndex(), 5);
    EXPECT_EQ(l.VisibleRows(), 3);
    l.RemoveItem(0);  // the selection follows its row
    EXPECT_EQ(l.ListIndex(), 6);

    s.form.Show();
    auto* view = l.qwidget()->findChild<QListView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->currentIndex().row(), 6);
    EXPECT_EQ(view->model()->rowCount(), 9);
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0, 255, 0));
    l.setBackColor(0x0000FF);  // colours set later reach the list too
    EXPECT_EQ(view->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(l.PaintedBackColor(), 0x0000FFu);

    // Keys and focus go to the list and reach the handlers once.
    int downs = 0;
    l.onKeyDown = [&](int&, int&) { ++downs; };
    l.SetFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(l.HasFocus());
    EXPECT_EQ(Widget::Focused(), &l);
    SimulateKey(l, "down", 40, 0);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(l.ListIndex(), 7);
    s.form.Hide();
}

TEST(ListBox, AGrabOfAWindowNeverShownShowsTheRows) {
    Surface s;
    s.form.Move(0, 0, 3000, 3000);
    ListBox l(s.form);
    l.Move(0, 0, 2000, 2000);
    for (int i = 0; i < 5; ++i) l.AddItem("WWWWWWWW");
    QImage shot = s.form.qwidget()->grab().toImage();
    const QColor base = l.qwidget()->palette().color(QPalette::Base);
    int ink = 0;
    const int w = Widget::ToPxX(2000), h = Widget::ToPxY(2000);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ink += QColor(shot.pixel(x, y)) != base;
    EXPECT_GT(ink, 50) << "the rows' text is in the picture";
}

TEST(ListBox, TabReachesTheListInTheOrderTheWindowsWereMade) {
    Surface s;
    TextBox before(s.form);
    ListBox l(s.form);
    TextBox after(s.form);
    l.AddItem("r");
    s.form.Show();  // the list's toolkit list is made now, after `after`
    before.SetFocus();
    QCoreApplication::processEvents();
    auto tab = [] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &press);
    };
    tab();
    EXPECT_EQ(Widget::Focused(), &l);
    tab();
    EXPECT_EQ(Widget::Focused(), &after);
    s.form.Hide();
}

TEST(ListBox, HeightTakesWholeRowsAndTopStopsAtTheLastPage) {
    Surface s;
    ListBox l(s.form);
    int row = l.RowHeight();
    l.setHeight(10 * row + row / 2);
    int frame = l.Height() - l.VisibleRows() * row;
    EXPECT_EQ(l.VisibleRows(), 10);
    EXPECT_LT(frame, row);
    for (int i = 0; i < 25; ++i) l.AddItem(std::to_string(i));
    l.setTopIndex(24);
    EXPECT_EQ(l.TopIndex(), 15);
    l.setListIndex(2);  // selecting scrolls the row into view
    EXPECT_EQ(l.TopIndex(), 2);
    l.setIntegralHeight(false);
    EXPECT_EQ(l.Height(), 10 * row + row / 2 / Widget::TwipsY() * Widget::TwipsY());
}

TEST(TextBox, TextSelectionAndLock) {
    Surface s;
    TextBox t(s.form);
    int changes = 0;
    t.onChange = [&] { ++changes; };
    t.setText("hello");
    t.setSelStart(1);
    t.setSelLength(3);
    EXPECT_EQ(t.SelStart(), 1);
    EXPECT_EQ(t.SelLength(), 3);
    t.setSelLength(99);
    EXPECT_EQ(t.SelLength(), 4);
    t.setLocked(true);
    EXPECT_TRUE(t.Locked());
    EXPECT_EQ(changes, 1);
}

TEST(ListBox, RowsAddedTogetherKeepTheirDataInStep) {
    Surface s;
    ListBox l(s.form);
    l.AddItem("first", 7);
    l.AddItems({"a", "b"}, {1, 2});
    l.AddItems({"c"}, {});  // no data given: 0
    ASSERT_EQ(l.ListCount(), 4);
    EXPECT_EQ(l.List(2), "b");
    EXPECT_EQ(l.ItemData(2), 2);
    EXPECT_EQ(l.ItemData(3), 0);
    l.RemoveItem(0);
    EXPECT_EQ(l.ItemData(0), 1);
}
