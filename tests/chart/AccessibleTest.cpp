// What a screen reader meets on the chart: queried through the toolkit's accessibility, as
// assistive technology does.
#include <QAccessible>
#include <QApplication>
#include <QWidget>

#include "ChartFixture.h"
#include "StoreFiles.h"
#include "chart/map/TrackStore.h"
#include "platform/forms/PopupMenu.h"

namespace {

struct Announced {
    QAccessible::Event type;
    QAccessible::Role role;
};
std::vector<Announced>& Log() {
    static std::vector<Announced> log;
    return log;
}
void Record(QAccessibleEvent* e) {
    QAccessibleInterface* i = e->accessibleInterface();
    Log().push_back({e->type(), i ? i->role() : QAccessible::NoRole});
}

class ChartAccessibleTest : public ChartTest {
  protected:
    void SetUp() override {
        ChartTest::SetUp();
        Log().clear();
        previous = QAccessible::installUpdateHandler(Record);
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(previous);
        ChartTest::TearDown();
    }
    QAccessibleInterface* Root() { return QAccessible::queryAccessibleInterface(chart->qwidget()); }
    // The data part: the points table or the tracks list, after the printed texts.
    QAccessibleInterface* Data() {
        QAccessibleInterface* r = Root();
        return r->child(r->childCount() - 1);
    }
    int Count(QAccessible::Event type, QAccessible::Role role) const {
        return int(std::count_if(Log().begin(), Log().end(), [&](const Announced& a) {
            return a.type == type && a.role == role;
        }));
    }
    QAccessible::UpdateHandler previous = nullptr;
};

QString CellText(QAccessibleInterface* table, int row, int column) {
    QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QString("<none>");
}

}  // namespace

TEST_F(ChartAccessibleTest, IsAChartNamedByItsTitleAndDescribedByItsRanges) {
    Create();
    QAccessibleInterface* root = Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(root->role(), QAccessible::Chart);
    EXPECT_EQ(root->text(QAccessible::Name), "ucKarvex");  // no title, no name: its class
    chart->setName("chtRain");
    EXPECT_EQ(root->text(QAccessible::Name), "chtRain");
    chart->setTitle("Rainfall");
    EXPECT_EQ(root->text(QAccessible::Name), "Rainfall");

    chart->setMaxY(ctl::Variant(int32_t(50)));
    EXPECT_EQ(root->text(QAccessible::Description), "Scale System, X 0 to 100, Y 0 to 50");
    chart->setMinX(ctl::Variant(std::string("01/03/2026")));
    chart->setMaxX(ctl::Variant(std::string("31/03/2026")));
    EXPECT_EQ(root->text(QAccessible::Description),
              "Scale System, X 01/03/2026 to 31/03/2026, Y 0 to 50");
    ctl::Locale::SetCurrent(ctl::LocaleInfo::US());  // dates as the user's locale writes them
    EXPECT_EQ(root->text(QAccessible::Description),
              "Scale System, X 3/1/2026 to 3/31/2026, Y 0 to 50");
    EXPECT_GE(Count(QAccessible::DescriptionChanged, QAccessible::Chart), 3);
    EXPECT_GE(Count(QAccessible::NameChanged, QAccessible::Chart), 1);
}

TEST_F(ChartAccessibleTest, PrintedTextsAreStaticTextsInReadingOrderThenThePointsTable) {
    Create();
    chart->setSize(6000, 4000);
    chart->setMaxY(ctl::Variant(int32_t(2000)));
    chart->setUnitY(1000);
    chart->setTitle("Sales");
    ASSERT_TRUE(chart->SetScaleUnit());
    chart->Point_Add(ctl::Variant(int32_t(1)), ctl::Variant(int32_t(1000)));
    chart->Point_Add(ctl::Variant(2.5), ctl::Variant(0.25));
    chart->Point_Add(ctl::Variant(int32_t(100)), ctl::Variant(int32_t(2000)));
    Log().clear();
    ASSERT_TRUE(chart->Draw());

    QAccessibleInterface* root = Root();
    const auto& printed = chart->pic_main->Printed();
    ASSERT_EQ(root->childCount(), int(printed.size()) + 1);
    // The title stands at the top left: read first; every text is static, top to bottom.
    EXPECT_EQ(root->child(0)->role(), QAccessible::StaticText);
    EXPECT_EQ(root->child(0)->text(QAccessible::Name), "Sales");
    QStringList texts;
    for (int i = 0; i + 1 < root->childCount(); ++i)
        texts << root->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(texts.contains("2,000")) << texts.join("|").toStdString();
    EXPECT_EQ(texts.last(), "100");  // the lower labels of the X axis come last

    QAccessibleInterface* table = Data();
    ASSERT_TRUE(table && table->tableInterface());
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->parent(), root);
    EXPECT_EQ(root->indexOfChild(table), root->childCount() - 1);
    QAccessibleTableInterface* t = table->tableInterface();
    EXPECT_EQ(t->rowCount(), 3);
    EXPECT_EQ(t->columnCount(), 2);
    EXPECT_EQ(t->columnDescription(0), "X");
    EXPECT_EQ(t->columnDescription(1), "Y");
    // Each coordinate as its axis writes its labels.
    EXPECT_EQ(CellText(table, 0, 0), "1");
    EXPECT_EQ(CellText(table, 0, 1), "1,000");
    EXPECT_EQ(CellText(table, 1, 0), "2.5");
    EXPECT_EQ(CellText(table, 1, 1), "0.25");
    EXPECT_EQ(CellText(table, 2, 1), "2,000");
    EXPECT_EQ(CellText(table, 3, 0), "<none>");
    QAccessibleInterface* cell = t->cellAt(1, 1);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(table->indexOfChild(cell), 3);
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), 1);

    EXPECT_GE(Count(QAccessible::ObjectReorder, QAccessible::Chart), 1);
    EXPECT_EQ(Count(QAccessible::TableModelChanged, QAccessible::Table), 1);

    // Cleared points: the table is empty and its old cells say they are gone.
    chart->Point_Clear();
    EXPECT_EQ(t->rowCount(), 0);
    EXPECT_FALSE(cell->isValid());
}

TEST_F(ChartAccessibleTest, DatePointsReadAsTheAxisWritesThem) {
    Create();
    chart->setMinX(ctl::Variant(std::string("01/01/2026")));
    chart->setMaxX(ctl::Variant(std::string("31/12/2026")));
    chart->Point_Add(ctl::Variant(std::string("15/03/2026")), ctl::Variant(int32_t(5)));
    chart->Point_Add(ctl::Variant::Date(ctl::DateSerial(2026, 6, 1)), ctl::Variant(int32_t(7)));
    QAccessibleInterface* table = Data();
    EXPECT_EQ(CellText(table, 0, 0), "15/03/26");
    EXPECT_EQ(CellText(table, 1, 0), "01/06/26");
    EXPECT_EQ(CellText(table, 1, 1), "7");
}

TEST_F(ChartAccessibleTest, AtDesignTimeTheChartHasNoSeriesToRead) {
    Create(false);
    QAccessibleInterface* table = Data();
    ASSERT_TRUE(table->tableInterface());
    EXPECT_EQ(table->tableInterface()->rowCount(), 0);
}

TEST_F(ChartAccessibleTest, MapModeListsTheStoredTracksAndAnnouncesCommitsAndDeletions) {
    TempFolder dir;
    MakeStore(dir.file("mappa.mdb"));
    AddBranch(dir.file("mappa.mdb"), "River", 1, 1, 3);
    site.folder = dir.path;
    ctl::PropertyBag bag;
    bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(bag);
    QAccessibleInterface* root = Root();
    EXPECT_EQ(root->text(QAccessible::Description), "Map");
    QAccessibleInterface* list = Data();
    ASSERT_TRUE(list && list->tableInterface());
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), "Tracks");
    ASSERT_EQ(list->tableInterface()->rowCount(), 1);
    EXPECT_EQ(CellText(list, 0, 0), "River");
    EXPECT_EQ(list->tableInterface()->cellAt(0, 0)->role(), QAccessible::ListItem);

    Log().clear();
    ctl::Args results;
    ASSERT_TRUE(chart->RunTool("StartNewBranch", {ctl::Variant(std::string("Road"))}, results));
    chart->RunTool("StorePoint", {ctl::Variant(10.0f), ctl::Variant(20.0f)}, results);
    chart->RunTool("CommitNewTrack", {}, results);
    EXPECT_EQ(Count(QAccessible::TableModelChanged, QAccessible::List), 1);
    ASSERT_EQ(list->tableInterface()->rowCount(), 2);
    EXPECT_EQ(CellText(list, 0, 0), "River");
    EXPECT_EQ(CellText(list, 1, 0), "Road");

    ASSERT_TRUE(chart->Store().ListTrackNames().size() == 2);
    chart->Store().DeleteTrack("River");
    EXPECT_EQ(Count(QAccessible::TableModelChanged, QAccessible::List), 2);
    EXPECT_EQ(list->tableInterface()->rowCount(), 1);
    EXPECT_EQ(CellText(list, 0, 0), "Road");

    // The control ends: its objects stay answerable, with nothing left to read.
    chart->Terminate();
    EXPECT_EQ(list->tableInterface()->rowCount(), 0);
    chart.reset();
}

TEST_F(ChartAccessibleTest, TheMenuKeyAndShiftF10OpenThePopupAtTheControl) {
    auto presenter = std::make_shared<ctl::ScriptedMenuPresenter>();
    std::vector<std::pair<int, int>> shownAt;
    presenter->onPopup = [&](const std::vector<ctl::MenuEntry>& e, int, int x, int y) {
        EXPECT_EQ(e.front().caption, "Coordinate System settings");
        shownAt.push_back({x, y});
    };
    ctl::SetMenuPresenter(presenter);
    ctl::Form form;
    Create();
    form.Place(*chart, 0, 0);
    chart->setSize(6000, 4000);
    form.Show();

    auto press = [&](ctl::Widget& w, int key, Qt::KeyboardModifiers m) {
        QKeyEvent e(QEvent::KeyPress, key, m);
        QApplication::sendEvent(w.qwidget(), &e);
        return e.isAccepted();
    };
    press(*chart->pic_main, Qt::Key_Menu, Qt::NoModifier);
    press(*chart, Qt::Key_F10, Qt::ShiftModifier);  // the control itself when Tab reached it
    press(*chart, Qt::Key_F10, Qt::NoModifier);     // F10 alone is no menu key
    ASSERT_EQ(shownAt.size(), 2u);
    // At the centre of the drawing surface, on the screen.
    const QPoint centre = chart->pic_main->qwidget()->mapToGlobal(
        QPoint(chart->pic_main->qwidget()->width() / 2, chart->pic_main->qwidget()->height() / 2));
    EXPECT_NEAR(shownAt[0].first, centre.x(), 1);
    EXPECT_NEAR(shownAt[0].second, centre.y(), 1);

    chart->setEnableMenu(false);
    press(*chart->pic_main, Qt::Key_Menu, Qt::NoModifier);
    EXPECT_EQ(shownAt.size(), 2u);
    chart->Terminate();
    chart.reset();
    ctl::SetMenuPresenter(nullptr);
}

TEST_F(ChartAccessibleTest, AFocusFrameShowsWhenTheKeyboardReachesTheChartNotOnAClick) {
    ctl::Form form;
    Create();
    form.Place(*chart, 0, 0);
    chart->setSize(6000, 4000);
    form.Show();
    QApplication::setActiveWindow(form.qwidget());
    auto frameShown = [&] {
        for (QWidget* w : chart->pic_main->qwidget()->findChildren<QWidget*>())
            if (w->isVisible()) return true;
        return false;
    };
    chart->pic_main->qwidget()->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(frameShown());
    chart->qwidget()->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(frameShown());
    QAccessibleInterface* root = Root();
    EXPECT_TRUE(root->state().focused);
    chart->qwidget()->clearFocus();
    EXPECT_FALSE(frameShown());
    EXPECT_FALSE(root->state().focused);
    chart->Terminate();
    chart.reset();
}
