// The typed widgets: typed properties with their notifications, methods as slots, events as
// signals with writable by-reference arguments, failures reported and never thrown, properties
// written only at design time before the first show, sizes for layouts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Screen.h"
#include "widgets/KarvexChart.h"
#include "widgets/QuorlinComboBox.h"

namespace {
void PrepareChart(KarvexChart& chart) {
    chart.setMinX(0);
    chart.setMaxX(10);
    chart.setMinY(0);
    chart.setMaxY(10);
    chart.setDelay(0);
    ASSERT_TRUE(chart.setScaleUnit());
    for (int i : {1, 5, 9}) ASSERT_TRUE(chart.pointAdd(i, i));
}
}  // namespace

TEST(TypedWidgets, PropertiesTakeAndGiveQtTypes) {
    KarvexChart chart;
    QSignalSpy titles(&chart, &KarvexChart::titleChanged);
    chart.setTitle(QStringLiteral("Rainfall – €"));
    EXPECT_EQ(chart.title(), QStringLiteral("Rainfall – €"));
    EXPECT_EQ(titles.count(), 1);

    // Colours go to the control as 0x00BBGGRR; system colour references read as the colour.
    chart.setBackColor(QColor(255, 0, 0));
    EXPECT_EQ(chart.get("BackColor").toInt32(), 0x0000FF);
    chart.set("ForeColor", int32_t(0x8000000F));
    const uint32_t face = ctl::Screen::SysColor(ctl::COLOR_BTNFACE);
    EXPECT_EQ(chart.foreColor(), QColor(face & 0xFF, face >> 8 & 0xFF, face >> 16 & 0xFF));

    QFont font(QStringLiteral("DejaVu Sans"), 12);
    font.setBold(true);
    chart.setControlFont(font);
    EXPECT_EQ(chart.controlFont().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(chart.controlFont().pointSizeF(), 12);
    EXPECT_TRUE(chart.controlFont().bold());

    chart.setMapStyle(KarvexChart::MapMode);
    EXPECT_EQ(chart.mapStyle(), KarvexChart::MapMode);
    EXPECT_EQ(chart.get("MapStyle").toInt32(), 0);
    chart.setMapStyle(KarvexChart::ScaleSystem);

    QPixmap picture(20, 10);
    picture.fill(Qt::red);
    chart.setPicture(picture);
    EXPECT_EQ(chart.picture().toImage().pixelColor(3, 3), QColor(Qt::red));
    chart.setPicture(QPixmap());
    EXPECT_TRUE(chart.picture().isNull());

    // Values that may be a number or text keep their kind.
    chart.setMaxY(QStringLiteral("12.5"));
    EXPECT_EQ(chart.maxY().toDouble(), 12.5);
    EXPECT_EQ(chart.lastErrorNumber(), 0) << chart.lastErrorDescription().toStdString();
}

TEST(TypedWidgets, MethodsAreSlotsWithTypedResults) {
    KarvexChart chart;
    PrepareChart(chart);
    EXPECT_EQ(chart.pointCount(), 3);
    const QVariantMap point = chart.pointItem(2);
    EXPECT_EQ(point.value("X").toInt(), 5);
    EXPECT_EQ(point.value("Index").toInt(), 2);
    EXPECT_GT(chart.textWidth(QStringLiteral("Rainfall")), 0);

    QuorlinComboBox combo;
    combo.addItem(QStringLiteral("b"), QStringLiteral("two"), 2);
    combo.addItem(QStringLiteral("a"), QStringLiteral("one"));
    combo.sort(1);
    EXPECT_EQ(combo.listCol(2, 0), QStringLiteral("one"));
    EXPECT_EQ(combo.itemData(1), 2);
    combo.setList(0, QStringLiteral("z"));
    EXPECT_TRUE(combo.list(0).startsWith(QStringLiteral("z")));
}

TEST(TypedWidgets, EventsAreSignalsWithWritableByReferenceArguments) {
    KarvexChart chart;
    PrepareChart(chart);
    int finished = 0;
    QObject::connect(&chart, &KarvexChart::finishDrawing, [&] { ++finished; });
    auto cancel = QObject::connect(&chart, &KarvexChart::startDrawing,
                                   [](bool& cancelled) { cancelled = true; });
    chart.draw();
    EXPECT_EQ(finished, 0);
    QObject::disconnect(cancel);
    EXPECT_TRUE(chart.draw());
    EXPECT_EQ(finished, 1);

    // A slot that changes KeyAscii changes the character the combo takes.
    QuorlinComboBox combo;
    combo.show();
    QObject::connect(&combo, &QuorlinComboBox::keyPress, [](int& keyAscii, int&) {
        if (keyAscii == 'k') keyAscii = 'Z';
    });
    QLineEdit* cell = combo.findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    cell->setFocus();
    QTest::keyClicks(cell, "ok");
    ctl::DoEvents();
    EXPECT_EQ(combo.textCol(1), QStringLiteral("oZ"));

    // A value the control cannot take back is reported, not thrown through the emitter.
    QObject::connect(&combo, &QuorlinComboBox::keyPress,
                     [](int& keyAscii, int&) { keyAscii = 1 << 20; });
    QSignalSpy errors(&combo, &ctl::TypedControl::errorOccurred);
    QTest::keyClicks(cell, "x");
    EXPECT_EQ(errors.count(), 1);
}

TEST(TypedWidgets, FailuresReachTheErrorSignalAndNeverThrow) {
    KarvexChart chart;
    QSignalSpy errors(&chart, &ctl::TypedControl::errorOccurred);
    const int width = chart.drawWidth();
    EXPECT_NO_THROW(chart.setProperty("drawWidth", 100000));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(0).toInt(), ctl::errOverflow);
    EXPECT_EQ(chart.lastErrorNumber(), ctl::errOverflow);
    EXPECT_EQ(chart.drawWidth(), width);  // kept

    // A method that raises, called through a queued connection and directly.
    chart.setMapStyle(KarvexChart::MapMode);
    QMetaObject::invokeMethod(&chart, "editScaleSetting", Qt::QueuedConnection, Q_ARG(int, 1),
                              Q_ARG(QString, QString()));
    QApplication::processEvents();
    ASSERT_EQ(errors.count(), 2);
    EXPECT_EQ(errors.at(1).at(0).toInt(), 1032);
    EXPECT_NO_THROW(chart.editScaleSetting());
    EXPECT_EQ(errors.count(), 3);
    chart.clearLastError();
    EXPECT_EQ(chart.lastErrorNumber(), 0);

    // By name the control still raises, for hosts that go by name.
    EXPECT_THROW(chart.set("DrawWidth", int32_t(100000)), ctl::RaisedError);
}

TEST(TypedWidgets, DesignTimePropertiesBeforeTheFirstShow) {
    QuorlinComboBox combo;
    QSignalSpy errors(&combo, &ctl::TypedControl::errorOccurred);
    combo.setControlStyle(QuorlinComboBox::SimpleCombo);  // what uic's code does
    EXPECT_EQ(combo.controlStyle(), QuorlinComboBox::SimpleCombo);
    EXPECT_FALSE(combo.designMode());
    EXPECT_EQ(errors.count(), 0);
    // A bad value is refused at once (no design-time message box).
    combo.setControlStyle(static_cast<QuorlinComboBox::StyleType>(7));
    EXPECT_EQ(combo.lastErrorNumber(), 9);
    // Run-time properties the browser hides are not written that way: rows would be lost.
    combo.addItem(QStringLiteral("a"), QStringLiteral("b"));
    combo.setListCount(5);
    EXPECT_EQ(combo.lastErrorNumber(), 7);
    EXPECT_EQ(combo.listCount(), 1);

    combo.show();
    combo.setControlStyle(QuorlinComboBox::DropdownList);
    EXPECT_EQ(combo.lastErrorNumber(), 7);
    EXPECT_EQ(combo.controlStyle(), QuorlinComboBox::SimpleCombo);
}

TEST(TypedWidgets, FollowTheirLayoutAndSayWhenResized) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new QuorlinComboBox;
    auto* chart = new KarvexChart;
    layout->addWidget(combo);
    layout->addWidget(chart);
    EXPECT_GT(combo->sizeHint().height(), 0);
    QSignalSpy resized(chart, &ctl::TypedControl::resized);
    window.resize(400, 300);
    window.show();
    QApplication::processEvents();
    ASSERT_GE(resized.count(), 1);
    EXPECT_EQ(resized.last().at(0).toSize(), chart->size());
    EXPECT_EQ(chart->controlWidth(), chart->width() * ctl::Screen::TwipsPerPixelX());
}

TEST(TypedWidgets, AWidgetNobodySizedTakesItsControlsSizeWhenItChangesMode) {
    QWidget parent;
    ctl::ControlOptions design;
    design.designMode = true;
    // The toolkit's default size of an unsized widget must not squeeze the designed control.
    auto* loose = new QuorlinComboBox(&parent, design);
    const int columns = loose->widthCol1() + loose->widthCol2();
    loose->setDesignMode(false);
    EXPECT_EQ(loose->widthCol1() + loose->widthCol2(), columns);
    EXPECT_EQ(loose->size(), loose->sizeHint());
    // A widget its host sized keeps that size, and the control follows it.
    auto* sized = new QuorlinComboBox(&parent, design);
    sized->resize(150, sized->sizeHint().height());
    sized->setDesignMode(false);
    EXPECT_EQ(sized->width(), 150);
    EXPECT_LT(sized->widthCol1() + sized->widthCol2(), columns);
}
