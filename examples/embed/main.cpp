// A Qt application with a chart and a two-column combo in its own layout. Picking a country
// in the combo plots its (made-up) monthly sales; the chart's events update a label.
// With --check it builds the window offscreen, exercises the controls and exits 0 on success.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "platform/embed/ControlWidget.h"

int main(int argc, char** argv) {
    const bool check = argc > 1 && std::strcmp(argv[1], "--check") == 0;
    if (check) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle("Embedded controls");
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new ctl::ControlWidget("Quorlin.ucvQuorlin", &window);
    auto* chart = new ctl::ControlWidget("Karvex.ucKarvex", &window);
    auto* label = new QLabel("Pick a country", &window);
    layout->addWidget(combo);
    layout->addWidget(chart, 1);
    layout->addWidget(label);

    try {
        combo->call("AddItem", {"IT", "Italy", 39});
        combo->call("AddItem", {"FR", "France", 33});
        combo->call("AddItem", {"DE", "Germany", 49});

        chart->set("MinX", 1);
        chart->set("MaxX", 12);
        chart->set("UnitX", 1);
        chart->set("MinY", 0);
        chart->set("MaxY", 100);
        chart->set("UnitY", 10);
        chart->set("ViewGrid", true);
        chart->call("SetScaleUnit");
    } catch (const ctl::RaisedError& e) {
        std::fprintf(stderr, "error %d: %s\n", e.number(), e.description().c_str());
        return 1;
    }

    int drawn = 0;
    chart->on("FinishDrawing", [&](ctl::Args&) {
        ++drawn;
        label->setText("Drawn");
    });
    combo->on("Click", [&](ctl::Args&) {
        int row = combo->get("ListIndex").toInt32();
        label->setText(
            QString::fromStdString(combo->call("ListCol", {int16_t(2), row}).toString()));
        chart->call("Point_Clear");
        for (int month = 1; month <= 12; ++month)
            chart->call("Point_Add", {month, 20 + (month * (row + 3) * 7) % 70});
        chart->call("Draw");
    });

    window.resize(640, 480);
    window.show();
    if (!check) return app.exec();

    // The check: a pick raises Click, which draws, which raises FinishDrawing.
    combo->set("ListIndex", 1);
    QApplication::processEvents();
    const bool ok =
        drawn == 1 && label->text() == "Drawn" && chart->call("Point_Count").toInt32() == 12;
    std::printf("%s\n", ok ? "embed check passed" : "embed check FAILED");
    return ok ? 0 : 1;
}
