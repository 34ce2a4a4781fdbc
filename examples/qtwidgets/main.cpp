// The typed widgets in a Qt application: a form from Designer holding both controls, typed
// properties and slots, typed signals (one with a by-reference argument) and colours as
// QColor. With --check it verifies what it did and exits with 0 or 1 instead of showing the
// window.
#include <QApplication>
#include <QColor>
#include <cstdio>
#include <cstring>

#include "ui_RainfallForm.h"

namespace {
int failures = 0;
void Expect(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "qtwidgets: %s\n", what);
        ++failures;
    }
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;

    QWidget window;
    Ui::RainfallForm ui;
    ui.setupUi(&window);
    KarvexChart* chart = ui.chart;
    QuorlinComboBox* stations = ui.stations;

    QString lastError;
    QObject::connect(chart, &KarvexChart::errorOccurred,
                     [&](int, const QString& text) { lastError = text; });
    int started = 0, finished = 0;
    // The first drawing is refused through the by-reference Cancel argument.
    QObject::connect(chart, &KarvexChart::startDrawing, [&](bool& cancel) {
        ++started;
        cancel = started == 1;
    });
    QObject::connect(chart, &KarvexChart::finishDrawing, [&] { ++finished; });

    chart->setMinX(0);
    chart->setMaxX(12);
    chart->setMinY(0);
    chart->setMaxY(120);
    chart->setTrackColor(QColor(0, 0, 255));
    chart->setScaleUnit();
    const int rain[] = {78, 61, 65, 54, 49, 44, 38, 47, 60, 88, 96, 90};
    for (int month = 0; month < 12; ++month) chart->pointAdd(month + 0.5, rain[month]);
    stations->addItem(QStringLiteral("North"), QStringLiteral("Hill station"), 1);
    stations->addItem(QStringLiteral("South"), QStringLiteral("Harbour"), 2);

    if (!check) {
        window.show();
        chart->draw();
        return app.exec();
    }
    Expect(chart->title() == QStringLiteral("Rainfall"), "the form's title did not arrive");
    Expect(chart->backColor() == QColor(255, 255, 224), "the form's colour did not arrive");
    Expect(chart->trackColor() == QColor(0, 0, 255), "trackColor is not the colour written");
    Expect(stations->controlStyle() == QuorlinComboBox::SimpleCombo, "the form's style is lost");
    Expect(stations->autoFill() && stations->widthCol1() == 1500, "the combo's form properties");
    Expect(stations->listCount() == 2, "rows added through the typed slot");
    chart->draw();
    Expect(started == 1 && finished == 0, "Cancel from the slot did not stop the drawing");
    Expect(chart->draw() && finished == 1, "the second drawing did not finish");
    const int width = chart->drawWidth();
    chart->setDrawWidth(100000);  // beyond the property's 16 bits: refused, reported, kept
    Expect(!lastError.isEmpty() && chart->drawWidth() == width, "a refused write was not reported");
    if (failures) return 1;
    std::printf("qtwidgets: ok\n");
    return 0;
}
