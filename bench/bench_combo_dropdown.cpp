// Opening the drop-down list of a combo holding 100,000 rows (until its first paint) and
// moving its selection down by 1,000 key presses, against a plain list view over the same
// rows shown and moved the same way, in the same run. Prints the medians of five runs; the
// last line is the opening ratio (combo / plain view).
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QListView>
#include <QStringListModel>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "PaintCounter.h"
#include "RunTimeCombo.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/UserControl.h"
#include "platform/forms/Input.h"
#include "platform/sys/EventLoop.h"

namespace {
constexpr int kRows = 100000;
constexpr int kKeys = 1000;
constexpr int kRuns = 5;

// Counts the paints a window receives.

// Runs events until the window has painted (or a second has passed).
void UntilPainted(const PaintCounter& counter, int before) {
    QElapsedTimer t;
    t.start();
    while (counter.paints == before && t.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Ms(const std::function<void()>& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

struct Figures {
    double open = 0, perKey = 0, perKeyUnpainted = 0;
};

Figures PlainView() {
    QStringList rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) rows << QString("Code %1").arg(i);
    QStringListModel model(rows);
    std::vector<double> opens, keys;
    for (int run = 0; run < kRuns; ++run) {
        QListView view;
        view.setUniformItemSizes(true);
        view.setModel(&model);
        view.resize(280, 120);
        PaintCounter counter;
        view.viewport()->installEventFilter(&counter);
        opens.push_back(Ms([&] {
            view.show();
            UntilPainted(counter, 0);
        }));
        view.setCurrentIndex(model.index(0));
        keys.push_back(Ms([&] {
                           for (int k = 0; k < kKeys; ++k) {
                               QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                               QApplication::sendEvent(&view, &down);
                               QApplication::processEvents();
                           }
                       }) /
                       kKeys);
        if (view.currentIndex().row() != kKeys) std::fprintf(stderr, "plain view did not move\n");
    }
    return {Median(opens), Median(keys)};
}

Figures Combo() {
    ctl::BasicSite site;
    auto c = bench::RunTimeCombo(site, 0);
    for (int i = 0; i < kRows; ++i)
        c->AddItem("Code " + std::to_string(i), "Description of row " + std::to_string(i), i);
    ctl::Form form;
    form.Place(*c, 0, 0);
    form.Move(1500, 1500, c->Width() + 300, c->Height() + 300);
    form.Show();
    ctl::DoEvents();
    quorlin::Window& w = *c->ListWindow();
    PaintCounter counter1, counter2;
    std::vector<double> opens, keys, unpainted;
    for (int run = 0; run < kRuns; ++run) {
        c->setListIndex(0);
        QWidget* v1 = w.lstCol1.View()->findChild<QWidget*>("qt_scrollarea_viewport");
        QWidget* v2 = w.lstCol2.View()->findChild<QWidget*>("qt_scrollarea_viewport");
        v1->installEventFilter(&counter1);
        v2->installEventFilter(&counter2);
        int before1 = counter1.paints, before2 = counter2.paints;
        opens.push_back(Ms([&] {
            c->Flow().ShowList();
            UntilPainted(counter1, before1);
            UntilPainted(counter2, before2);
        }));
        keys.push_back(Ms([&] {
                           for (int k = 0; k < kKeys; ++k) {
                               ctl::SimulateKey(w.lstCol1, "down", 40, 0);
                               QApplication::processEvents();
                           }
                       }) /
                       kKeys);
        if (w.lstCol2.ListIndex() != kKeys) std::fprintf(stderr, "combo did not move\n");
        // The key handling alone, painted once at the end.
        unpainted.push_back(Ms([&] {
                                for (int k = 0; k < kKeys; ++k)
                                    ctl::SimulateKey(w.lstCol1, "down", 40, 0);
                            }) /
                            kKeys);
        ctl::SimulateKey(w.lstCol1, "down", 27, 0);
        ctl::DoEvents();
    }
    return {Median(opens), Median(keys), Median(unpainted)};
}
}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    (void)argc;
    (void)argv;
    ctl::EnsureApplication();
    Figures plain = PlainView();
    Figures combo = Combo();
    std::printf("rows: %d, keys: %d, medians of %d runs\n", kRows, kKeys, kRuns);
    std::printf("plain list view: open %.2f ms, %.4f ms per key\n", plain.open, plain.perKey);
    std::printf("combo drop-down: open %.2f ms, %.4f ms per key (%.4f ms without painting)\n",
                combo.open, combo.perKey, combo.perKeyUnpainted);
    std::printf("key ratio: %.2f\n", combo.perKey / plain.perKey);
    std::printf("ratio: %.2f\n", combo.open / plain.open);
    return 0;
}
