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
#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
constexpr uint32_t kSeriesColour = 0x8B4513;  // 0x00BBGGRR: a dark blue line
constexpr uint32_t kTrendColour = 0x2020C0;   // red
constexpr int kDefaultDelayMs = 6;
constexpr int kDefaultStepTwips = 60;
// The frame, its ticks and labels are drawn in GridColor: a dark grey keeps the labels
// readable on white (contrast about 6:1) and the grid quieter than the series.
constexpr uint32_t kFrameColour = 0x606060;

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

    chart_ = new ctl::ControlWidget("Karvex.ucKarvex", this);
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

    // The settings dialog arrives with its own work; until then the button says so.
    hasSettings_ = chart_->typeInfo().find("EditScaleSetting", ctl::MemberKind::Method) != nullptr;
    if (!hasSettings_) settings_->setToolTip("This build of the chart has no settings dialog yet");

    auto showSpeed = [this] {
        delayText_->setText(QString("%1 ms between steps").arg(delay_->value()));
        stepText_->setText(QString("%1 twips per step").arg(step_->value()));
        try {
            chart_->set("Delay", float(delay_->value()));
            chart_->set("BaseStep", float(step_->value()));
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
    };
    connect(delay_, &QSlider::valueChanged, this, showSpeed);
    connect(step_, &QSlider::valueChanged, this, showSpeed);
    connect(series_, &QComboBox::currentIndexChanged, this, [this] { setUpScale(); });
    connect(grid_, &QCheckBox::toggled, this, [this](bool on) {
        try {
            chart_->set("ViewGrid", on);
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
        redrawAtOnce();
    });
    connect(points_, &QCheckBox::toggled, this, [this](bool on) { chart_->set("ViewPoints", on); });
    connect(draw_, &QPushButton::clicked, this, [this] { drawSeries(); });
    connect(pause_, &QPushButton::clicked, this, [this] {
        if (runner_->paused())
            runner_->resume();
        else
            runner_->pause();
    });
    connect(stop_, &QPushButton::clicked, this, [this] { runner_->stop(); });
    connect(settings_, &QPushButton::clicked, this, [this] {
        try {
            chart_->call("EditScaleSetting", {int16_t(1), std::string("Scale settings")});
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
    });
    runner_->onStateChanged = [this] { updateButtons(); };

    chart_->on("StartDrawing", [this](ctl::Args& a) {
        if (refuseNextDraw_ && !a.empty()) {
            refuseNextDraw_ = false;
            a[0] = ctl::Variant(true);  // Cancel: the error already shown stays
            return;
        }
        say("Drawing...");
    });
    chart_->on("FinishDrawing", [this](ctl::Args&) {
        // The dialog's Draw plots the chart's points itself; the line follows once it is done.
        if (!dialogRedraw_ || runner_->running()) return;
        dialogRedraw_ = false;
        QTimer::singleShot(0, this, [this] { finishDialogRedraw(); });
    });
    chart_->on("ChangeScaleSetting",
               [this](ctl::Args& a) { settingsChanged(!a.empty() && a[0].toBool()); });

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
    try {
        chart_->set("MapStyle", int32_t(1));
        chart_->set("XAsDate", true);
        chart_->set("MinX", ctl::Variant::Date(DaySerial(s.points.front().date.addDays(-14))));
        chart_->set("MaxX", ctl::Variant::Date(DaySerial(s.points.back().date.addDays(16))));
        const int span = int(s.points.front().date.daysTo(s.points.back().date));
        chart_->set("UnitX", int32_t(span > 200 ? 61 : 14));
        chart_->set("MinY", s.minY);
        chart_->set("MaxY", s.maxY);
        chart_->set("UnitY", int32_t(s.unitY));
        chart_->set("LeftScale", 700.0f);
        chart_->set("RightScale", 500.0f);
        chart_->set("TopScale", 450.0f);
        chart_->set("BottomScale", 400.0f);
        chart_->set("ViewGrid", grid_->isChecked());
        chart_->set("BackColor", int32_t(0xFFFFFF));
        chart_->set("GridColor", int32_t(kFrameColour));
        chart_->set("ViewPoints", points_->isChecked());
        chart_->set("ForeColor", int32_t(kSeriesColour));
        chart_->set("DrawWidth", int16_t(2));
        chart_->set("Title", s.title.toStdString());
        chart_->set("TitleColor", int32_t(0x602000));
        drawn_ = {};
        chart_->call("Clear");
        if (!chart_->call("SetScaleUnit").toBool())
            say(QString::fromStdString(chart_->get("ControlError").toString()), true);
        else
            say("Press Draw to plot the series.");
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
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
    double lo = -1e300, hi = 1e300;
    try {
        lo = chart_->get("MinY").toDouble();
        hi = chart_->get("MaxY").toDouble();
    } catch (const ctl::RaisedError&) {
    }
    for (double x : t.x) t.y.push_back(std::clamp(fit.intercept + fit.slope * x, lo, hi));
    return t;
}

void ChartPage::drawSeries() {
    if (runner_->running()) return;
    dialogRedraw_ = refuseNextDraw_ = false;
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    try {
        // The title is printed once, after the last track.
        chart_->set("Title", std::string());
        drawn_ = {};
        chart_->call("Clear");
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
        chart_->set("Title", s.title.toStdString());
        sayDrawn();
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

bool ChartPage::redrawAtOnce() {
    if (runner_->running()) return false;
    try {
        const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
        chart_->set("Title", std::string());
        chart_->call("Clear");
        if (!plotter_->drawAtOnce(seriesTrack(), drawn_.points) ||
            (drawn_.trend && !plotter_->drawAtOnce(trendTrack(), 2))) {
            say(plotter_->error(), true);
            return false;
        }
        if (drawn_.points > 0) chart_->set("Title", s.title.toStdString());
        return true;
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
        return false;
    }
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
        try {
            chart_->set("ViewPoints", series.marks);
            chart_->set("ForeColor", int32_t(series.colour));
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
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
    try {
        chart_->set("Title", s.title.toStdString());
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
        return;
    }
    sayDrawn();
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
    settings_->setEnabled(!running && hasSettings_);
    series_->setEnabled(!running);
    grid_->setEnabled(!running);
    if (runner_->paused()) say("Paused. Resume goes on, Stop ends the drawing.");
}

void ChartPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
