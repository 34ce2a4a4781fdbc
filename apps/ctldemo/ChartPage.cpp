#include "ChartPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "DrawRunner.h"
#include "SampleData.h"
#include "WindowMenu.h"
#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
constexpr uint32_t kSeriesColour = 0x8B4513;  // 0x00BBGGRR: a dark blue line
constexpr uint32_t kTrendColour = 0x2020C0;   // red
constexpr int kDefaultDelayMs = 6;
constexpr int kDefaultStepTwips = 60;

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
    const bool hasSettings =
        chart_->typeInfo().find("EditScaleSetting", ctl::MemberKind::Method) != nullptr;
    settings_->setEnabled(hasSettings);
    if (!hasSettings) settings_->setToolTip("This build of the chart has no settings dialog yet");

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
    connect(grid_, &QCheckBox::toggled, this, [this] { setUpScale(); });
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

    chart_->on("StartDrawing", [this](ctl::Args&) { say("Drawing..."); });
    chart_->on("ChangeScaleSetting", [this](ctl::Args& a) {
        say("Scale settings changed; press Draw to plot again.");
        if (!a.empty() && a[0].toBool()) drawSeries();
    });

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
        chart_->set("GridColor", int32_t(0xC0C0C0));
        chart_->set("ViewPoints", points_->isChecked());
        chart_->set("ForeColor", int32_t(kSeriesColour));
        chart_->set("DrawWidth", int16_t(2));
        chart_->set("Title", s.title.toStdString());
        chart_->set("TitleColor", int32_t(0x602000));
        chart_->call("Clear");
        if (!chart_->call("SetScaleUnit").toBool())
            say(QString::fromStdString(chart_->get("ControlError").toString()), true);
        else
            say("Press Draw to plot the series.");
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

bool ChartPage::plot(const std::vector<double>& x, const std::vector<double>& y, uint32_t colour) {
    chart_->call("Point_Clear");
    for (size_t i = 0; i < x.size(); ++i)
        if (!chart_->call("Point_Add", {ctl::Variant::Date(x[i]), y[i]}).toBool()) {
            say(QString::fromStdString(chart_->get("ControlError").toString()), true);
            return false;
        }
    chart_->set("ForeColor", int32_t(colour));
    bool ok = runner_->run([this] { return chart_->call("Draw").toBool(); });
    if (!ok)
        say(runner_->lastError().isEmpty()
                ? QString::fromStdString(chart_->get("ControlError").toString())
                : runner_->lastError(),
            true);
    return ok;
}

void ChartPage::drawSeries() {
    if (runner_->running()) return;
    const Series& s = DatedSeries()[size_t(std::max(0, series_->currentIndex()))];
    std::vector<double> x, y;
    for (const DatedValue& p : s.points) x.push_back(DaySerial(p.date)), y.push_back(p.value);
    try {
        setUpScale();
        chart_->set("Title", std::string());  // printed once, after the last track
        if (!plot(x, y, kSeriesColour)) return;
        if (chart_->get("FlagExit").toBool()) return;
        LineFit fit = FitLine(x, y);
        if (trend_->isChecked()) {
            std::vector<double> tx{x.front(), x.back()};
            std::vector<double> ty{fit.intercept + fit.slope * tx[0],
                                   fit.intercept + fit.slope * tx[1]};
            for (double& v : ty) v = std::clamp(v, s.minY, s.maxY);
            chart_->set("Title", s.title.toStdString());
            bool viewPoints = points_->isChecked();
            chart_->set("ViewPoints", false);
            bool ok = plot(tx, ty, kTrendColour);
            chart_->set("ViewPoints", viewPoints);
            if (!ok) return;
        }
        say(QString("Drawn: %1 points. Least-squares line: %2 %3 per 30 days, r = %4.")
                .arg(x.size())
                .arg(fit.slope * 30, 0, 'f', 2)
                .arg(s.unit)
                .arg(fit.correlation, 0, 'f', 2));
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
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
    series_->setEnabled(!running);
    grid_->setEnabled(!running);
    if (runner_->paused()) say("Paused. Resume goes on, Stop ends the drawing.");
}

void ChartPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
