// How the combo's costs grow with its rows: AddItem of n rows (the simple style, with its
// duplicate test), Sort of n rows on column 1 as text, and opening the drop-down list of n rows
// (until both lists have painted), at 10,000, 100,000 and 1,000,000 rows; processor times, the
// median of three runs each. Then the resident memory a 1,000,000-row combo adds, next to the
// raw size of its texts. The raw baseline is the same work at 10,000 rows, scaled: the last
// line is the worst growth from 10,000 to 1,000,000 rows over linear growth (n log n for the
// sort), 1 for perfectly linear work.
#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PaintCounter.h"
#include "RunTimeCombo.h"
#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/UserControl.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

namespace {
constexpr int kRuns = 3;
const int kSizes[] = {10000, 100000, 1000000};

double ProcessorMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}
double Ms(const std::function<void()>& f) {
    double start = ProcessorMs();
    f();
    return ProcessorMs() - start;
}
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = 0;
    while (status >> key)
        if (key == "VmRSS:") {
            status >> kb;
            break;
        }
    return kb;
}

std::string First(int i) {
    return "Code " + std::to_string((i * 7919L) % 1000003);  // not in order, for the sort
}
std::string Second(int i) {
    return "Description of row " + std::to_string(i);
}

std::unique_ptr<quorlin::ucvQuorlin> NewCombo(ctl::BasicSite& site, int style) {
    return bench::RunTimeCombo(site, style);
}
void Fill(quorlin::ucvQuorlin& c, int n) {
    for (int i = 0; i < n; ++i) c.AddItem(First(i), Second(i), i);
}

// Counts the paints a window receives.

struct Row {
    int n;
    double add, sort, open;
};

Row Measure(int n) {
    std::vector<double> add, sort, open;
    for (int run = 0; run < kRuns; ++run) {
        ctl::BasicSite site;
        auto simple = NewCombo(site, 1);
        add.push_back(Ms([&] { Fill(*simple, n); }));
        simple.reset();

        ctl::BasicSite site2;
        auto c = NewCombo(site2, 0);
        Fill(*c, n);
        sort.push_back(Ms([&] { c->Sort(1); }));

        ctl::Form form;
        form.Place(*c, 0, 0);
        form.Move(1500, 1500, c->Width() + 300, c->Height() + 300);
        form.Show();
        ctl::DoEvents();
        quorlin::Window& w = *c->ListWindow();
        PaintCounter p1, p2;
        w.lstCol1.View()->findChild<QWidget*>("qt_scrollarea_viewport")->installEventFilter(&p1);
        w.lstCol2.View()->findChild<QWidget*>("qt_scrollarea_viewport")->installEventFilter(&p2);
        c->setListIndex(n / 2);
        open.push_back(Ms([&] {
            c->Flow().ShowList();
            for (int i = 0; i < 1000 && (p1.paints == 0 || p2.paints == 0); ++i)
                QApplication::processEvents(QEventLoop::AllEvents);
        }));
        w.HideChildForm();
        form.Hide();
    }
    return {n, Median(add), Median(sort), Median(open)};
}
}  // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
    // First, while the heap holds nothing that a freed combo would leave for reuse.
    // The memory of a 1,000,000-row combo in the drop-down style.
    long before = ResidentKb();
    ctl::BasicSite site;
    auto c = NewCombo(site, 0);
    const int n = kSizes[2];
    double raw = 0;
    for (int i = 0; i < n; ++i) raw += double(First(i).size() + Second(i).size());
    Fill(*c, n);
    ctl::DoEvents();
    long after = ResidentKb();
    c.reset();
    char memory[256];
    std::snprintf(memory, sizeof memory,
                  "resident memory of a %d-row combo: %.0f MB; its texts: %.0f MB (%.1f times); "
                  "%.0f bytes a row\n",
                  n, double(after - before) / 1024, raw / 1048576,
                  double(after - before) * 1024 / raw, double(after - before) * 1024 / n);

    std::vector<Row> rows;
    for (int n : kSizes) rows.push_back(Measure(n));

    std::printf("| rows | AddItem (simple style) | Sort column 1 as text | drop-down open |\n");
    std::printf("|---|---|---|---|\n");
    for (const Row& r : rows)
        std::printf("| %d | %.0f ms (%.2f us a row) | %.0f ms | %.1f ms |\n", r.n, r.add,
                    r.add * 1e3 / r.n, r.sort, r.open);
    std::printf("%s", memory);

    const Row &small = rows.front(), &large = rows.back();
    double growth = double(large.n) / small.n;
    double sortGrowth = growth * std::log2(double(large.n)) / std::log2(double(small.n));
    double addRatio = large.add / (small.add * growth);
    double sortRatio = large.sort / (small.sort * sortGrowth);
    double openRatio = large.open / (small.open * growth);
    std::printf("growth 10k -> 1M over linear: AddItem %.2f, Sort %.2f (over n log n), open %.4f\n",
                addRatio, sortRatio, openRatio);
    std::printf("ratio: %.2f\n", std::max({addRatio, sortRatio, openRatio}));
    return 0;
}
