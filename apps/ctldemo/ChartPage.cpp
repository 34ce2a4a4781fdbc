#include "ChartPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "DrawRunner.h"
#include "SampleData.h"
#include "TrackPlotter.h"
#include "WindowMenu.h"
#include "widgets/KarvexChart.h"

namespace demo {

namespace {
const QColor kSeriesColour(0x13, 0x45, 0x8B);  // a dark blue line
const QColor kTrendColour(0xC0, 0x20, 0x20);   // red
const QColor kTitleColour(0x00, 0x20, 0x60);
constexpr int kDefaultDelayMs = 6;
constexpr int kDefaultStepTwips = 60;
// The frame, its ticks and labels are drawn in GridColor: a dark grey keeps the labels
// readable on white (contrast about 6:1) and the grid quieter than the series.
const QColor kFrameColour(0x60, 0x60, 0x60);

QSlider* Slider(int lo, int hi, int value, QWidget* parent) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(lo, hi);
    s->setValue(value);
    return s;
}
}  // namespace

ChartPage::ChartPage(QWidget* parent) : DemoPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageHeader(
        title(),
        "A dated series on a coordinate system with a grid. Draw animates the line step by step "
        "(Delay and BaseStep set its speed); the red line is the least-squares fit of the whole "
        "series, drawn by the chart as a second track.",
        this));
    auto* row = new QHBoxLayout;
    layout->addLayout(row, 1);

    chart_ = new KarvexChart(this);
    chart_->setMinimumSize(480, 320);
    row->addWidget(chart_, 1);
    runner_ = std::make_unique<DrawRunner>(*chart_);
    plotter_ = std::make_unique<TrackPlotter>(*chart_, *runner_);
    chart_->installEventFilter(this);

    auto* panel = new QVBoxLayout;
    row->addLayout(panel);
    auto* data = new QGroupBox("Series", this);
    auto* dataForm = new QVBoxLayout(data);
    series_ = new QComboBox(data);
    for (const Series& s : DatedSeries()) series_->addItem(s.title);
    points_ = new QCheckBox("Point marks (ViewPoints)", data);
    points_->setChecked(true);
    grid_ = new QCheckBox("Grid (ViewGrid)", data);
    grid_->setChecked(true);
    trend_ = new QCheckBox("Least-squares line", data);
    trend_->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(series_), static_cast<QWidget*>(points_),
                       static_cast<QWidget*>(grid_), static_cast<QWidget*>(trend_)})
        dataForm->addWidget(w);
    panel->addWidget(data);

    auto* speed = new QGroupBox("Speed", this);
    auto* speedForm = new QFormLayout(speed);
    delay_ = Slider(0, 40, kDefaultDelayMs, speed);
    step_ = Slider(15, 600, kDefaultStepTwips, speed);
    delayText_ = new QLabel(speed);
    stepText_ = new QLabel(speed);
    speedForm->addRow("Delay", delay_);
    speedForm->addRow("", delayText_);
    speedForm->addRow("BaseStep", step_);
    speedForm->addRow("", stepText_);
    panel->addWidget(speed);

    draw_ = new QPushButton("&Draw", this);
    pause_ = new QPushButton("&Pause", this);
    stop_ = new QPushButton("&Stop", this);
    settings_ = new QPushButton("Scale s&ettings...", this);
    for (QPushButton* b : {draw_, pause_, stop_, settings_}) panel->addWidget(b);
    panel->addStretch(1);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setMinimumWidth(220);
    status_->setMaximumWidth(260);
    panel->addWidget(status_);

    // A typed member that fails has not changed the chart; its text goes to the status line.
    connect(chart_, &ctl::TypedControl::errorOccurred, this,
            [this](int, const QString& text) { say(text, true); });

    auto showSpeed = [this] {
        delayText_->setText(QString("%1 ms between steps").arg(delay_->value()));
        stepText_->setText(QString("%1 twips per step").arg(step_->value()));
        chart_->setDelay(delay_->value());
        chart_->setBaseStep(step_->value());
    };
    connect(delay_, &QSlider::valueChanged, this, showSpeed);
    connect(step_, &QSlider::valueChanged, this, showSpeed);
    connect(series_, &QComboBox::currentIndexChanged, this, [this] { setUpScale(); });
    connect(grid_, &QCheckBox::toggled, this, [this](bool on) {
        chart_->setViewGrid(on);
        redrawAtOnce();
    });
    connect(points_, &QCheckBox::toggled, chart_, &KarvexChart::setViewPoints);
    connect(draw_, &QPushButton::clicked, this, [this] { drawSeries(); });
    connect(pause_, &QPushButton::clicked, this, [this] {
        if (runner_->paused())
            runner_->resume();
        else
            runner_->pause();
    });
    connect(stop_, &QPushButton::clicked, this, [this] { runner_->stop(); });
    connect(settings_, &QPushButton::clicked, this,
            [this] { chart_->editScaleSetting(1, "Scale settings"); });
    runner_->onStateChanged = [this] { updateButtons(); };

    // Connected directly: the chart reads Cancel back when the slot returns.
    connect(chart_, &KarvexChart::startDrawing, this, [this](bool& cancel) {
        if (refuseNextDraw_) {
            refuseNextDraw_ = false;
            cancel = true;  // the error already shown stays
            return;
        }
        say("Drawing...");
    });
    connect(chart_, &KarvexChart::finishDrawing, this, [this] {
        // The dialog's Draw plots the chart's points itself; the line follows once it is done.
        if (!dialogRedraw_ || runner_->running()) return;
        dialogRedraw_ = false;
        QTimer::singleShot(0, this, [this] { finishDialogRedraw(); });
    });
    connect(chart_, &KarvexChart::changeScaleSetting, this,
            [this](bool redraw) { settingsChanged(redraw); });

    showSpeed();
    setUpScale();
    updateButtons();
}

ChartPage::~ChartPage() {
    stopWork();
}

QString ChartPage::summary() const {
    return "A dated series with point marks and its least-squares line on a gridded "
           "coordinate system; Draw animates it with Delay and BaseStep, Pause and Stop hold "
           "or end the drawing.";
}

void ChartPage::setUpScale() {
    if (runner_->running()) runner_->stop();
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    chart_->clearLastError();
    chart_->setMapStyle(KarvexChart::ScaleSystem);
    chart_->setXAsDate(true);
    chart_->setMinX(s.points.front().date.addDays(-14));
    chart_->setMaxX(s.points.back().date.addDays(16));
    const int span = int(s.points.front().date.daysTo(s.points.back().date));
    chart_->setUnitX(span > 200 ? 61 : 14);
    chart_->setMinY(s.minY);
    chart_->setMaxY(s.maxY);
    chart_->setUnitY(s.unitY);
    chart_->setLeftScale(700);
    chart_->setRightScale(500);
    chart_->setTopScale(450);
    chart_->setBottomScale(400);
    chart_->setViewGrid(grid_->isChecked());
    chart_->setBackColor(Qt::white);
    chart_->setGridColor(kFrameColour);
    chart_->setViewPoints(points_->isChecked());
    chart_->setForeColor(kSeriesColour);
    chart_->setDrawWidth(2);
    chart_->setTitle(s.title);
    chart_->setTitleColor(kTitleColour);
    drawn_ = {};
    chart_->clear();
    if (chart_->lastErrorNumber() != 0) return;  // errorOccurred has shown why
    if (!chart_->setScaleUnit()) {
        if (chart_->lastErrorNumber() == 0) say(chart_->controlError(), true);
    } else {
        say("Press Draw to plot the series.");
    }
}

PlotTrack ChartPage::seriesTrack() const {
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    PlotTrack t;
    t.colour = kSeriesColour;
    t.marks = points_->isChecked();
    for (const DatedValue& p : s.points) t.x.push_back(DaySerial(p.date)), t.y.push_back(p.value);
    return t;
}

PlotTrack ChartPage::trendTrack() const {
    const PlotTrack series = seriesTrack();
    const LineFit fit = FitLine(series.x, series.y);
    PlotTrack t;
    t.colour = kTrendColour;
    t.marks = false;
    t.x = {series.x.front(), series.x.back()};
    // Kept inside the chart's current range (the settings dialog may have narrowed it).
    const QVariant minY = chart_->minY(), maxY = chart_->maxY();
    const double lo = minY.isValid() ? minY.toDouble() : -1e300;
    const double hi = maxY.isValid() ? maxY.toDouble() : 1e300;
    for (double x : t.x) t.y.push_back(std::clamp(fit.intercept + fit.slope * x, lo, hi));
    return t;
}

void ChartPage::drawSeries() {
    if (runner_->running()) return;
    dialogRedraw_ = refuseNextDraw_ = false;
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    // The title is printed once, after the last track.
    chart_->setTitle(QString());
    drawn_ = {};
    chart_->clear();
    const PlotTrack series = seriesTrack();
    auto result = plotter_->animate(series, drawn_.points);
    if (result == TrackPlotter::Result::Done && trend_->isChecked()) {
        size_t reached = 0;
        result = plotter_->animate(trendTrack(), reached);
        drawn_.trend = result == TrackPlotter::Result::Done;
    }
    if (result == TrackPlotter::Result::Stopped) {
        // Stopping wiped the picture: the frame and what was reached come back.
        redrawAtOnce();
        sayStopped();
        return;
    }
    if (result == TrackPlotter::Result::Failed) {
        say(plotter_->error(), true);
        return;
    }
    chart_->setTitle(s.title);
    sayDrawn();
}

bool ChartPage::redrawAtOnce() {
    if (runner_->running()) return false;
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    chart_->setTitle(QString());
    chart_->clear();
    if (!plotter_->drawAtOnce(seriesTrack(), drawn_.points) ||
        (drawn_.trend && !plotter_->drawAtOnce(trendTrack(), 2))) {
        say(plotter_->error(), true);
        return false;
    }
    if (drawn_.points > 0) chart_->setTitle(s.title);
    return true;
}

void ChartPage::queueRedraw() {
    if (redrawQueued_) return;
    redrawQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        // A drawing in progress finishes at the old size first; the new one follows.
        if (runner_->running() || dialogRedraw_) {
            QTimer::singleShot(50, this, [this] {
                redrawQueued_ = false;
                queueRedraw();
            });
            return;
        }
        redrawQueued_ = false;
        redrawAtOnce();
    });
}

bool ChartPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == chart_ && event->type() == QEvent::Resize) queueRedraw();
    return DemoPage::eventFilter(watched, event);
}

void ChartPage::settingsChanged(bool redraw) {
    if (!redraw) {
        // Raised by the dialog's Draw just before the chart plots the points it holds: they
        // become the whole series, and the least-squares line follows.
        const PlotTrack series = seriesTrack();
        if (!plotter_->load(series, series.x.size())) {
            say(plotter_->error(), true);
            refuseNextDraw_ = true;
            return;
        }
        chart_->setViewPoints(series.marks);
        chart_->setForeColor(series.colour);
        dialogRedraw_ = true;
        return;
    }
    // The dialog closed with OK on a visible chart: the same picture in the new settings.
    drawn_ = {seriesTrack().x.size(), trend_->isChecked()};
    if (redrawAtOnce()) sayDrawn();
}

void ChartPage::finishDialogRedraw() {
    drawn_ = {seriesTrack().x.size(), false};
    if (trend_->isChecked()) {
        if (!plotter_->drawAtOnce(trendTrack(), 2)) {
            say(plotter_->error(), true);
            return;
        }
        drawn_.trend = true;
    }
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    chart_->clearLastError();
    chart_->setTitle(s.title);
    if (chart_->lastErrorNumber() == 0) sayDrawn();
}

void ChartPage::sayDrawn() {
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    const PlotTrack series = seriesTrack();
    const LineFit fit = FitLine(series.x, series.y);
    say(QString("Drawn: %1 points. Least-squares line: %2 %3 per 30 days, r = %4.")
            .arg(series.x.size())
            .arg(fit.slope * 30, 0, 'f', 2)
            .arg(s.unit)
            .arg(fit.correlation, 0, 'f', 2));
}

void ChartPage::sayStopped() {
    const size_t all = seriesTrack().x.size();
    if (drawn_.points < all)
        say(QString("Stopped after %1 of %2 points.").arg(drawn_.points).arg(all));
    else
        say("Stopped: the series is drawn, the least-squares line is not.");
}

QString ChartPage::status() const {
    return status_->text();
}

void ChartPage::prepareSnapshot() {
    delay_->setValue(0);
    drawSeries();
}

void ChartPage::fillWindowMenu(QMenu& menu) {
    menu.addAction("&Draw", this, [this] { drawSeries(); })->setEnabled(!runner_->running());
    if (!chart_->systemMenuEntries().empty()) menu.addSeparator();
    // The chart's own entries: its settings, Clear Chart, Always on top and its about box.
    // runSystemMenuEntry is of the embedding layer, which raises rather than reports.
    AddSystemMenuEntries(menu, *chart_, this, [this](int32_t id) {
        try {
            chart_->runSystemMenuEntry(id);
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
    });
}

void ChartPage::updateWindowMenu(QMenu& menu) {
    UpdateSystemMenuEntries(menu, *chart_);
}

void ChartPage::stopWork() {
    runner_->stop();
}

void ChartPage::updateButtons() {
    const bool running = runner_->running();
    draw_->setEnabled(!running);
    pause_->setEnabled(running);
    pause_->setText(runner_->paused() ? "&Resume" : "&Pause");
    stop_->setEnabled(running);
    settings_->setEnabled(!running);
    series_->setEnabled(!running);
    grid_->setEnabled(!running);
    if (runner_->paused()) say("Paused. Resume goes on, Stop ends the drawing.");
}

void ChartPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
