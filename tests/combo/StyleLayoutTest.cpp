#include <QFontInfo>
#include <QListView>
#include <QWidget>

#include "ComboFixture.h"
#include "combo/QuorlinModule.h"
#include "platform/sys/Screen.h"

using namespace quorlin;

TEST_F(ComboTest, NewControlTakesTheDefaults) {
    auto c = NewCombo(designSite, false);
    EXPECT_EQ(c->WidthCol1(), 1100);
    EXPECT_EQ(c->WidthCol2(), 2900);
    EXPECT_EQ(c->Style(), 0);
    EXPECT_EQ(c->ListHeight(), 1800);
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->NewIndex(), -1);
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(c->ControlFont()->Name, "MS Sans Serif");
    EXPECT_EQ(c->ControlFont()->Size, 8);
    EXPECT_FALSE(c->ControlFont()->Bold);
    EXPECT_EQ(c->Height(), 330);
    EXPECT_EQ(c->EditHeight(), 330);
    EXPECT_EQ(c->Backcolor(), ctl::Screen::SysColor(ctl::COLOR_WINDOW));
    EXPECT_EQ(c->Forecolor(), ctl::Screen::SysColor(ctl::COLOR_WINDOWTEXT));
    EXPECT_EQ(c->ButtonWidth(),
              ctl::Screen::TwipsPerPixelX() * (ctl::Screen::VScrollBarWidthPx() + 2));
    EXPECT_EQ(c->DropDown(), nullptr);  // made when first needed
    EXPECT_NE(c->ListWindow(), nullptr);
    EXPECT_FALSE(Initialising());
    // The default face is drawn with an installed metric-compatible face.
    EXPECT_EQ(QFontInfo(c->txtCol1.qwidget()->font()).family(), "Liberation Sans");
    // A new control writes nothing: every value equals its default.
    ctl::PropertyBag bag;
    c->WriteProperties(bag);
    EXPECT_TRUE(bag.keys().empty());
}

TEST_F(ComboTest, PropertiesAreWrittenInTheirOrder) {
    auto c = NewCombo(designSite, false);
    c->setControlFont(ctl::MakeFont("Arial", 10, true));
    c->setBackcolor(0x112233);
    c->setForecolor(0x445566);
    c->setControlEnabled(false);
    c->setWidthCol1(900);
    c->setWidthCol2(2000);
    c->setStyle(1);
    c->setAutoFill(true);
    c->setLocked(true);
    c->setText("x;y");
    c->setListHeight(900);
    c->setControlToolTipText("tip");
    ctl::PropertyBag bag;
    c->WriteProperties(bag);
    std::vector<std::string> expected = {"Font",      "BackColor", "ForeColor",  "Enabled",
                                         "WidthCol1", "WidthCol2", "Style",      "AutoFill",
                                         "Locked",    "Text",      "ListHeight", "ToolTipText"};
    EXPECT_EQ(bag.keys(), expected);

    auto r = Load(bag);
    EXPECT_EQ(r->ControlFont()->Name, "Arial");
    EXPECT_TRUE(r->ControlFont()->Bold);
    EXPECT_EQ(r->Backcolor(), 0x112233u);
    EXPECT_EQ(r->Forecolor(), 0x445566u);
    EXPECT_FALSE(r->ControlEnabled());  // "Enabled" is read last and sticks
    EXPECT_EQ(r->WidthCol1(), 900);
    EXPECT_EQ(r->WidthCol2(), 2000);
    EXPECT_EQ(r->Style(), 1);
    EXPECT_TRUE(r->AutoFill());
    EXPECT_TRUE(r->Locked());
    EXPECT_TRUE(r->txtCol1.Locked());
    EXPECT_EQ(r->txtCol1.BackColor(), 0xC0C0C0u);  // locked cells are grey
    EXPECT_EQ(r->txtCol1.Text(), "x");
    EXPECT_EQ(r->txtCol2.Text(), "y");
    EXPECT_EQ(r->ListHeight(), r->lstCol1a.Height());
    EXPECT_EQ(r->ControlToolTipText(), "tip");
    EXPECT_EQ(r->txtCol2.ToolTipText(), "tip");
    EXPECT_TRUE(r->TimerProc.Enabled());
    EXPECT_TRUE(site.changed.empty());  // reading reports nothing
}

TEST_F(ComboTest, EachStyleSurvivesSaveAndReloadWithItsParts) {
    for (int style = 0; style <= 2; ++style) {
        SCOPED_TRACE(style);
        auto c = RunTimeCombo(style);
        EXPECT_EQ(c->Style(), style);
        EXPECT_EQ(c->txtCol1.Visible(), style != 2);
        EXPECT_EQ(c->txtCol2.Visible(), style != 2);
        EXPECT_EQ(c->lblCol1.Visible(), style == 2);
        EXPECT_EQ(c->lstCol1a.Visible(), style == 1);
        EXPECT_EQ(c->lstCol2a.Visible(), style == 1);
        EXPECT_EQ(c->imgCombo.Visible(), style != 1);
        EXPECT_EQ(c->ListWindow() != nullptr, style != 1);
        if (style == 1)
            EXPECT_EQ(c->Height(), c->EditHeight() + c->ListHeight());
        else
            EXPECT_EQ(c->Height(), 330);
        // Filled at run time and read back.
        Fill(*c, 3);
        EXPECT_EQ(c->ListCount(), 3);
        EXPECT_EQ(c->List(2), "a2\tb2");
        EXPECT_EQ(c->ItemData(1), 10);
        c->Terminate();
        EXPECT_EQ(c->ListWindow(), nullptr);
        EXPECT_FALSE(c->TimerProc.Enabled());
    }
}

TEST_F(ComboTest, StyleIsWrittenOnlyAtDesignTime) {
    auto run = RunTimeCombo(0);
    EXPECT_EQ(ErrorOf([&] { run->setStyle(1); }),
              std::make_pair(7, std::string("Can't assign to read-only property")));
    EXPECT_EQ(ErrorOf([&] { run->setStyle(3); }),
              std::make_pair(9, std::string("Illegal value style")));
    EXPECT_EQ(run->Style(), 0);
    EXPECT_TRUE(prompter->records().empty());

    auto c = NewCombo(designSite, false);
    c->setStyle(3);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text, "Illegal value style");
    EXPECT_EQ(prompter->records()[0].icon, ctl::MsgIcon::Critical);
    EXPECT_EQ(prompter->records()[0].title, LibraryTitle());
    EXPECT_EQ(c->Style(), 0);

    c->setAutoFill(true);
    designSite.changed.clear();
    c->setStyle(2);
    EXPECT_FALSE(c->AutoFill());
    EXPECT_EQ(designSite.changed, (std::vector<std::string>{"AutoFill", "ListHeight", "Style"}));
    c->setStyle(1);
    EXPECT_EQ(c->ListWindow(), nullptr);
    EXPECT_NEAR(c->Width(), c->WidthCol1() + c->WidthCol2() - 2 * ctl::Screen::TwipsPerPixelX(),
                15);
    c->setListHeight(600);
    c->setStyle(0);
    EXPECT_NE(c->ListWindow(), nullptr);
    EXPECT_EQ(c->ListHeight(), c->ListWindow()->lstCol1.Height());  // back to 1800, in whole rows
    EXPECT_GT(c->ListHeight(), 1800 - c->ListWindow()->lstCol1.RowHeight());
}

TEST_F(ComboTest, ColumnWidthRules) {
    auto c = NewCombo(designSite, false);
    int px = ctl::Screen::TwipsPerPixelX();
    c->setWidthCol1(-5);
    EXPECT_EQ(c->WidthCol1(), 1100);
    c->setWidthCol1(100);
    EXPECT_EQ(c->WidthCol1(), 270);
    c->setWidthCol1(0);
    EXPECT_EQ(c->WidthCol1(), 0);
    EXPECT_FALSE(c->txtCol1.Visible());
    EXPECT_EQ(c->txtCol2.Left(), 0);
    designSite.changed.clear();
    c->setWidthCol2(0);  // the only visible column stays
    EXPECT_EQ(c->WidthCol2(), 2900);
    EXPECT_TRUE(designSite.changed.empty());
    c->setWidthCol1(1500);
    EXPECT_TRUE(c->txtCol1.Visible());
    EXPECT_EQ(c->txtCol2.Left(), 1500);
    EXPECT_EQ(c->imgCombo.Left(), (1500 + 2900 - 2 * px) / px * px);
    EXPECT_EQ(designSite.changed, std::vector<std::string>{"WidthCol1"});
}

TEST_F(ComboTest, ResizeScalesTheColumnsAndHidesNarrowOnes) {
    auto c = RunTimeCombo(0);
    int px = ctl::Screen::TwipsPerPixelX();
    int inner = c->Width();
    c->setSize(2 * inner, 900);
    EXPECT_NEAR(c->WidthCol1(), 2200, px);
    EXPECT_NEAR(c->WidthCol2(), 5800, px);
    EXPECT_EQ(c->Height(), 330);  // the drop-down styles keep the edit height
    EXPECT_NEAR(c->Width(), c->WidthCol1() + c->WidthCol2() + c->ButtonWidth() - 2 * px, px);

    // Narrow enough that the second column would be about 200 twips: it disappears.
    auto d = RunTimeCombo(1);
    d->setWidthCol2(400);
    d->setWidthCol1(2000);
    int innerD = 2400 - 2 * px;
    d->setWidth(innerD / 2);
    EXPECT_EQ(d->WidthCol2(), 0);
    EXPECT_FALSE(d->txtCol2.Visible());
    EXPECT_FALSE(d->lstCol2a.Visible());
    EXPECT_NEAR(d->WidthCol1(), 1000, px);
    EXPECT_NEAR(d->Width(), d->WidthCol1() - 2 * px, px);

    // Both below 270: both become 270.
    auto e = RunTimeCombo(1);
    e->setWidth(300);
    EXPECT_EQ(e->WidthCol1(), 270);
    EXPECT_EQ(e->WidthCol2(), 270);
    EXPECT_TRUE(e->txtCol1.Visible());
    EXPECT_TRUE(e->txtCol2.Visible());

    // A resize that keeps the width does not drift the columns.
    e->setHeight(2000);
    EXPECT_EQ(e->WidthCol1(), 270);
}

TEST_F(ComboTest, SimpleComboListsTakeWholeRows) {
    auto c = RunTimeCombo(1);
    c->setHeight(2130);
    int row = c->lstCol1a.RowHeight();
    EXPECT_EQ(c->ListHeight(), c->lstCol1a.Height());
    EXPECT_EQ(c->lstCol2a.Height(), c->lstCol1a.Height());
    EXPECT_LE(c->ListHeight(), 1800);
    EXPECT_GT(c->ListHeight(), 1800 - row);
    EXPECT_EQ(c->Height(), 330 + c->ListHeight());
    EXPECT_EQ(c->lstCol1a.Top(), 330);

    // ListHeight never passes the screen.
    c->setListHeight(10'000'000);
    EXPECT_LE(330 + c->ListHeight(), ctl::Screen::HeightTwips());
    EXPECT_EQ(c->Height(), 330 + c->ListHeight());
}

TEST_F(ComboTest, ListsShowTheHeightAskedFor) {
    auto c = RunTimeCombo(1);
    c->setHeight(2130);
    EXPECT_EQ(c->lstCol1a.Height(), 1800);
    EXPECT_EQ(c->ListHeight(), 1800);
    // A height of whole pixels that is no whole number of rows stays as asked.
    const int px = ctl::Screen::TwipsPerPixelY(), row = c->lstCol1a.RowHeight();
    const int asked = (row * 5 + row / 2) / px * px;
    ASSERT_NE(asked % row, 0);
    c->setListHeight(asked);
    EXPECT_EQ(c->ListHeight(), asked);
    EXPECT_EQ(c->lstCol2a.Height(), asked);
    EXPECT_EQ(c->Height(), 330 + asked);

    auto d = RunTimeCombo(2);
    ASSERT_NE(d->ListWindow(), nullptr);
    EXPECT_EQ(d->ListWindow()->lstCol1.Height(), 1800);
    EXPECT_EQ(d->ListHeight(), 1800);

    // Changing the style in the designer leaves ListHeight at its default: nothing is stored.
    for (int style : {1, 2, 0}) {
        SCOPED_TRACE(style);
        auto e = NewCombo(designSite, false);
        e->setStyle(style);
        ctl::PropertyBag bag;
        e->WriteProperties(bag);
        EXPECT_FALSE(bag.contains("ListHeight"));
        e->Terminate();
    }
}

TEST_F(ComboTest, BothColumnsHiddenRecoverAtTheNextResize) {
    for (int style : {0, 1, 2}) {
        SCOPED_TRACE(style);
        ctl::PropertyBag bag;
        bag.WriteProperty("Style", int32_t(style), int32_t(0));
        bag.WriteProperty("WidthCol1", int32_t(0), int32_t(1100));
        bag.WriteProperty("WidthCol2", int32_t(0), int32_t(2900));
        auto c = Load(bag);
        c->setSize(3000, 2130);
        EXPECT_EQ(c->WidthCol1(), 270);
        EXPECT_EQ(c->WidthCol2(), 270);
        EXPECT_TRUE(c->txtCol1.Visible() || c->lblCol1.Visible());
        EXPECT_TRUE(c->txtCol2.Visible() || c->lblCol2.Visible());
        c->Terminate();
    }
}

TEST_F(ComboTest, BiggerFontMakesATallerEditPortion) {
    auto c = NewCombo(designSite, false);
    c->setControlFont(ctl::MakeFont("MS Sans Serif", 20));
    EXPECT_GT(c->EditHeight(), 330);
    EXPECT_EQ(c->txtCol1.Height(), c->EditHeight());
    EXPECT_EQ(c->Height(), c->EditHeight());
    EXPECT_EQ(c->lstCol1a.Font()->Size, 20);
    EXPECT_EQ(c->ListWindow()->lstCol1.Font()->Size, 20);
}

TEST_F(ComboTest, ColoursReachEveryChildAndTheDropDown) {
    auto c = RunTimeCombo(0);
    c->setBackcolor(0x00FF00);
    c->setForecolor(0x0000FF);
    EXPECT_EQ(c->txtCol2.BackColor(), 0x00FF00u);
    EXPECT_EQ(c->lblCol1.ForeColor(), 0x0000FFu);
    EXPECT_EQ(c->ListWindow()->lstCol2.BackColor(), 0x00FF00u);
    EXPECT_EQ(site.changed, (std::vector<std::string>{"BackColor", "ForeColor"}));
}

TEST_F(ComboTest, ADropDownWindowMadeLateLooksLikeOneMadeAtTheStart) {
    // The same changes, once with the window made first and once with it made at the end.
    auto early = NewCombo(designSite, false), late = NewCombo(designSite, false);
    ASSERT_NE(early->ListWindow(), nullptr);
    for (auto* c : {early.get(), late.get()}) {
        c->setBackcolor(0x00FF00);
        c->setLocked(true);
        c->setForecolor(0x0000FF);
        c->setControlFont(ctl::MakeFont("MS Sans Serif", 14));
    }
    ASSERT_EQ(late->DropDown(), nullptr);
    for (auto* c : {early.get(), late.get()}) c->setListHeight(1000);
    quorlin::Window &a = *early->ListWindow(), &b = *late->ListWindow();
    EXPECT_EQ(b.lstCol1.BackColor(), a.lstCol1.BackColor());
    EXPECT_EQ(b.lstCol2.ForeColor(), a.lstCol2.ForeColor());
    EXPECT_EQ(b.lstCol1.Font()->Size, 14);
    EXPECT_EQ(b.Locked, a.Locked);
    EXPECT_EQ(b.lstCol2.Height(), a.lstCol2.Height());
    EXPECT_EQ(late->ListHeight(), early->ListHeight());
}

TEST_F(ComboTest, ADropDownComboMakesNoToolkitListsUntilAListIsShown) {
    // Placed on a form already shown before its properties are read, as a host does.
    ctl::Form form;
    form.Show();
    designSite.userMode = true;
    auto c = std::make_unique<quorlin::ucvQuorlin>(designSite);
    form.Place(*c, 0, 0);
    c->Initialize();
    c->InitProperties();
    c->Show();
    ctl::DoEvents();
    Fill(*c, 3);
    EXPECT_EQ(c->qwidget()->findChild<QListView*>(), nullptr);
    EXPECT_EQ(c->ListWindow()->form.qwidget()->findChild<QListView*>(), nullptr);
    c->Flow().ShowList();  // the drop-down's lists are made when they first show
    EXPECT_NE(c->ListWindow()->form.qwidget()->findChild<QListView*>(), nullptr);
    EXPECT_EQ(c->qwidget()->findChild<QListView*>(), nullptr);
    c->ListWindow()->HideChildForm();
    form.Hide();
    c->qwidget()->setParent(nullptr);
    c->Terminate();
}

TEST_F(ComboTest, DropdownListShowsFocusHighlight) {
    auto c = RunTimeCombo(2);
    Fill(*c, 2);
    c->setListIndex(1);
    EXPECT_EQ(c->lblCol1.Caption(), " a1");
    EXPECT_EQ(c->TextCol(1), "a1");
    EXPECT_EQ(c->Text(), "a1\tb1");
    c->ShowFocus();
    EXPECT_TRUE(c->FocusShown());
    EXPECT_TRUE(c->focusRect.Shown());
    EXPECT_EQ(c->lblCol1.BackColor(), ctl::Screen::SysColor(ctl::COLOR_HIGHLIGHT));
    EXPECT_EQ(c->lblCol2.ForeColor(), ctl::Screen::SysColor(ctl::COLOR_HIGHLIGHTTEXT));
    // Text of the drop-down list style cannot be written.
    EXPECT_EQ(ErrorOf([&] { c->setText("z"); }).first, 7);
}
