#include "MapPage.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "DataFolder.h"
#include "DrawRunner.h"
#include "MapPicture.h"
#include "platform/embed/ControlWidget.h"

namespace demo {

namespace {
constexpr uint32_t kTrackColour = 0x0000C0;  // 0x00BBGGRR: red
constexpr uint32_t kSeaColour = 0xE6CDAA;    // the sea of the map picture
constexpr int kRoutePoints = 40;
// The route the demo plots itself, listed before the stored tracks.
const QString kSampleRoute = "Sample route: Sarsina - Corte Alta (by road)";
}  // namespace

MapPage::MapPage(const QString& dataFolder, QWidget* parent)
    : DemoPage(parent), folder_(dataFolder) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageHeader(
        title(),
        "The chart in map mode over a background picture. Right-click the map for the track "
        "commands: draw a track with the mouse, commit it, list and replay the stored tracks. "
        "The chart's entries also appear in the Window menu.",
        this));
    auto* row = new QHBoxLayout;
    layout->addLayout(row, 1);

    ctl::ControlOptions options;
    options.dataFolder = folder_.toStdString();
    chart_ = new ctl::ControlWidget("Karvex.ucKarvex", this, options);
    chart_->setMinimumSize(480, 320);
    row->addWidget(chart_, 1);
    runner_ = std::make_unique<DrawRunner>(*chart_);

    auto* panel = new QVBoxLayout;
    row->addLayout(panel);
    auto* box = new QGroupBox("Stored tracks", this);
    auto* boxLayout = new QVBoxLayout(box);
    tracks_ = new QListWidget(box);
    tracks_->setMinimumWidth(220);
    tracks_->setMaximumWidth(260);
    boxLayout->addWidget(tracks_);
    store_ = new QLabel(box);
    store_->setWordWrap(true);
    boxLayout->addWidget(store_);
    panel->addWidget(box, 1);
    play_ = new QPushButton("&Play track", this);
    pause_ = new QPushButton("&Pause", this);
    stop_ = new QPushButton("&Stop", this);
    for (QPushButton* b : {play_, pause_, stop_}) panel->addWidget(b);
    mouse_ = new QLabel(this);
    status_ = new QLabel(this);
    for (QLabel* l : {mouse_, status_}) {
        l->setWordWrap(true);
        l->setMaximumWidth(260);
        l->setMinimumHeight(18);
        panel->addWidget(l);
    }

    connect(play_, &QPushButton::clicked, this, [this] { playSelected(); });
    connect(tracks_, &QListWidget::itemActivated, this, [this] { playSelected(); });
    connect(pause_, &QPushButton::clicked, this,
            [this] { runner_->paused() ? runner_->resume() : runner_->pause(); });
    connect(stop_, &QPushButton::clicked, this, [this] { runner_->stop(); });
    runner_->onStateChanged = [this] { updateButtons(); };

    chart_->on("MouseMove", [this](ctl::Args& a) {
        if (a.size() >= 4)
            mouse_->setText(QString("Mouse at %1, %2 twips")
                                .arg(a[2].toDouble(), 0, 'f', 0)
                                .arg(a[3].toDouble(), 0, 'f', 0));
    });
    chart_->on("StartDrawing", [this](ctl::Args&) { say("Playing the track..."); });
    chart_->on("FinishDrawing", [this](ctl::Args&) { say("Track drawn."); });

    try {
        chart_->set("MapStyle", int32_t(0));
        chart_->set("EnableMenu", true);
        chart_->set("TrackColor", int32_t(kTrackColour));
        chart_->set("DrawWidth", int16_t(4));
        chart_->set("BackColor", int32_t(kSeaColour));
        chart_->set("Delay", 4.0f);
        chart_->set("BaseStep", 45.0f);
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
    loadPicture();
    store_->setText(PrepareTrackStore(folder_));
    tracks_->addItem(kSampleRoute);
    tracks_->setCurrentRow(0);
    updateButtons();
}

MapPage::~MapPage() {
    stopWork();
}

QString MapPage::summary() const {
    return "The chart in map mode over a background map picture; tracks are drawn with the "
           "mouse from the chart's context menu, stored, listed and played back.";
}

void MapPage::loadPicture() {
    const QString path = QDir(folder_).filePath("map.png");
    if (folder_.isEmpty() || !EnsureMapPicture(path)) {
        say("The map picture cannot be written to " + path, true);
        return;
    }
    try {
        chart_->set("Picture", ctl::PictureValue(path.toStdString()));
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void MapPage::playSelected() {
    QListWidgetItem* item = tracks_->currentItem();
    if (!item || runner_->running()) return;
    const std::string name = item->text().toStdString();
    bool ok;
    if (item->text() == kSampleRoute) {
        // Points in the surface's twips: the picture's pixels times the twips per pixel.
        const double twipsPerPx = chart_->get("Width").toDouble() / std::max(1, chart_->width());
        chart_->call("Point_Clear");
        for (const QPointF& p : MainRoadRoute(kRoutePoints))
            chart_->call("Point_Add", {p.x() * twipsPerPx, p.y() * twipsPerPx});
        chart_->call("Clear");
        ok = runner_->run([&] { return chart_->call("Draw").toBool(); });
    } else {
        ok = runner_->run([&] { return chart_->call("DrawTrack", {name}).toBool(); });
    }
    if (!ok)
        say(runner_->lastError().isEmpty()
                ? QString::fromStdString(chart_->get("ControlError").toString())
                : runner_->lastError(),
            true);
}

void MapPage::prepareSnapshot() {
    try {
        chart_->set("Delay", 0.0f);
        playSelected();
        chart_->set("Delay", 4.0f);
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
}

void MapPage::fillWindowMenu(QMenu& menu) {
    // The chart's own system-menu entries join here once the chart offers them.
    menu.addAction("&Clear the map", this, [this] {
        if (!runner_->running()) chart_->call("Clear");
    });
    menu.addAction("&About the chart...", this, [this] {
        try {
            chart_->call("About");
        } catch (const ctl::RaisedError& e) {
            say(QString::fromStdString(e.description()), true);
        }
    });
}

void MapPage::stopWork() {
    runner_->stop();
}

void MapPage::updateButtons() {
    const bool running = runner_->running();
    play_->setEnabled(!running && tracks_->count() > 0);
    pause_->setEnabled(running);
    pause_->setText(runner_->paused() ? "&Resume" : "&Pause");
    stop_->setEnabled(running);
}

void MapPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
