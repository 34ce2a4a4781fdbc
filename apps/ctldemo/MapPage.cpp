#include "MapPage.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <exception>

#include "DataFolder.h"
#include "DrawRunner.h"
#include "MapPicture.h"
#include "WindowMenu.h"
#include "platform/sys/Screen.h"
#include "widgets/KarvexChart.h"

namespace demo {

namespace {
// As the form file holds colours: 0x00BBGGRR.
constexpr uint32_t kTrackColour = 0x0000C0;  // red
constexpr uint32_t kSeaColour = 0xE6CDAA;    // the sea of the map picture
constexpr float kDelay = 4.0f, kBaseStep = 45.0f;
constexpr int kPollMs = 200;
// The chart's playback command and its cancel command in its system menu: their caption and
// enabling tell whether a playback runs and whether it is paused.
constexpr int32_t kPlayEntry = 1102, kCancelEntry = 1103;
constexpr const char* kResumeCaption = "Resume drawing in progress";

// The page's form as a designer saved it: the chart in map mode with its menus. Loading it is
// what makes the chart open its track store, as a chart loaded with its form does.
QJsonObject MapForm() {
    return {{"class", "Karvex.ucKarvex"},
            {"properties", QJsonObject{{"MapStyle", 0},
                                       {"EnableMenu", true},
                                       {"TrackColor", double(kTrackColour)},
                                       {"DrawWidth", 4},
                                       {"BackColor", double(kSeaColour)},
                                       {"Delay", double(kDelay)},
                                       {"BaseStep", double(kBaseStep)}}}};
}

KarvexChart* MakeMapChart(const QString& folder, QWidget* parent) {
    ctl::ControlOptions options;
    options.dataFolder = folder.toStdString();
    auto* chart = new KarvexChart(parent, options);
    QTemporaryFile form(QDir(QDir::tempPath()).filePath("ctldemo-map-XXXXXX.json"));
    if (form.open() && form.write(QJsonDocument(MapForm()).toJson()) > 0 && form.flush()) {
        // Raises (load is of the embedding layer) only for a file it cannot read.
        chart->load(form.fileName().toStdString());
        return chart;
    }
    // No temporary file: the chart is set to map mode by hand and keeps no tracks.
    const auto colour = [](uint32_t bgr) { return ctl::FromVariant<QColor>(int32_t(bgr)); };
    chart->setMapStyle(KarvexChart::MapMode);
    chart->setEnableMenu(true);
    chart->setTrackColor(colour(kTrackColour));
    chart->setDrawWidth(4);
    chart->setBackColor(colour(kSeaColour));
    chart->setDelay(kDelay);
    chart->setBaseStep(kBaseStep);
    return chart;
}
}  // namespace

MapPage::MapPage(const QString& dataFolder, QWidget* parent)
    : DemoPage(parent), folder_(dataFolder) {
    // The store is ready before the chart looks for it.
    store_ = PrepareTrackStore(folder_, ctl::Screen::TwipsPerPixelX());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageHeader(
        title(),
        "The chart in map mode over a background picture. Right-click the map (or open the "
        "Window menu) for the track commands: create a track by step or by points, draw it "
        "with the mouse, close and commit it; the stored tracks are listed on the right and "
        "played back with pause and stop.",
        this));
    auto* row = new QHBoxLayout;
    layout->addLayout(row, 1);

    chart_ = MakeMapChart(folder_, this);
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
    // Long names wrap (each track takes two lines: its name, then its size) rather than
    // hiding behind a horizontal scroll bar.
    tracks_->setWordWrap(true);
    tracks_->setTextElideMode(Qt::ElideNone);
    tracks_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    boxLayout->addWidget(tracks_);
    storeLabel_ = new QLabel(box);
    storeLabel_->setWordWrap(true);
    storeLabel_->setMaximumWidth(260);
    storeLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    boxLayout->addWidget(storeLabel_);
    panel->addWidget(box, 1);
    play_ = new QPushButton("&Play track", this);
    pause_ = new QPushButton("Pa&use", this);
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
    connect(tracks_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(pause_, &QPushButton::clicked, this, [this] { togglePause(); });
    connect(stop_, &QPushButton::clicked, this, [this] { stopPlayback(); });
    runner_->onStateChanged = [this] { updateButtons(); };
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { updateButtons(); });

    connect(chart_, &ctl::TypedControl::errorOccurred, this,
            [this](int, const QString& text) { say(text, true); });
    connect(chart_, &KarvexChart::mouseMove, this, [this](int&, int&, double& x, double& y) {
        mouse_->setText(QString("Mouse at %1, %2 twips").arg(x, 0, 'f', 0).arg(y, 0, 'f', 0));
    });
    // The context menu's commands (a commit, a deletion) have run when the right button's
    // release reaches the page.
    connect(chart_, &KarvexChart::mouseUp, this, [this](int& button) {
        if (button == 2) refreshTracks();
        updateButtons();
    });
    connect(chart_, &KarvexChart::startDrawing, this, [this] {
        say("Playing " + chart_->trackName() + "...");
        updateButtons();
    });
    // The chart marks the playback ended right after this event.
    connect(chart_, &KarvexChart::finishDrawing, this, [this] {
        say("Track drawn.");
        QTimer::singleShot(0, this, [this] { updateButtons(); });
    });

    loadPicture();
    storeLabel_->setStyleSheet(store_.usable ? "color: #303030;" : "color: #a00000;");
    storeLabel_->setText(store_.message);
    refreshTracks();
    updateButtons();
}

MapPage::~MapPage() {
    stopWork();
}

QString MapPage::summary() const {
    return "The chart in map mode over a background map picture with the stored tracks drawn; "
           "tracks are drawn with the mouse from the chart's context menu or the Window menu, "
           "committed to the track store, listed and played back.";
}

QString MapPage::statusText() const {
    return status_->text();
}

void MapPage::loadPicture() {
    QString path;
    for (const QString& folder : {folder_, ScratchFolder()}) {
        if (folder.isEmpty()) continue;
        const QString candidate = QDir(folder).filePath("map.png");
        if (EnsureMapPicture(candidate)) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty()) {
        say("The map picture cannot be written to " + folder_ + " nor to a temporary folder.",
            true);
        return;
    }
    const QPixmap picture(path);
    if (picture.isNull())
        say("The map picture " + path + " cannot be read.", true);
    else
        chart_->setPicture(picture);
}

QString MapPage::selectedTrack() const {
    const QListWidgetItem* item = tracks_->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

void MapPage::refreshTracks() {
    std::vector<StoredTrack> stored;
    try {
        stored = ListStoredTracks(store_);
    } catch (const std::exception& e) {
        // The list stays as it was (the chart may hold the store for a moment).
        const auto* raised = dynamic_cast<const ctl::RaisedError*>(&e);
        say("The track store cannot be read: " +
                QString::fromStdString(raised ? raised->description() : e.what()),
            true);
        return;
    }
    const QString keep = selectedTrack();
    tracks_->clear();
    for (const StoredTrack& t : stored) {
        const QString detail = t.branches > 1
                                   ? QString("%1 branches, %2 points").arg(t.branches).arg(t.points)
                                   : QString("%1 points").arg(t.points);
        auto* item = new QListWidgetItem(t.name + "\n" + detail, tracks_);
        item->setData(Qt::UserRole, t.name);
        item->setToolTip(t.name + "\n" + detail);
        if (t.name == keep) tracks_->setCurrentItem(item);
    }
    if (!tracks_->currentItem() && tracks_->count() > 0) tracks_->setCurrentRow(0);
    updateButtons();
}

bool MapPage::playSelected() {
    const QString name = selectedTrack();
    if (name.isEmpty() || playing()) return false;
    const bool ok = runner_->run([&] { return chart_->drawTrack(name); });
    if (!ok) {
        const QString why =
            runner_->lastError().isEmpty() ? chart_->controlError() : runner_->lastError();
        say(why.isEmpty() ? "The track " + name + " was not drawn." : why, true);
        refreshTracks();  // a track that is gone leaves the list
    }
    return ok;
}

bool MapPage::playing() const {
    return runner_->running() || chartPlaying();
}

bool MapPage::chartPlaying() const {
    for (const ctl::SystemMenuEntry& e : chart_->systemMenuEntries())
        if (e.id == kCancelEntry) return e.enabled;
    return false;
}

bool MapPage::paused() const {
    if (!chartPlaying()) return false;
    for (const ctl::SystemMenuEntry& e : chart_->systemMenuEntries())
        if (e.id == kPlayEntry) return e.text == kResumeCaption;
    return false;
}

void MapPage::togglePause() {
    // Only while the chart draws: a request before it has begun would start another playback.
    if (!chartPlaying()) return;
    // A second playback request while one runs pauses or resumes it.
    chart_->drawTrack(chart_->trackName());
    updateButtons();
}

void MapPage::stopPlayback() {
    if (runner_->running()) {
        runner_->stop();
    } else if (playing()) {
        chart_->setFlagExit(true);
    }
    updateButtons();
}

void MapPage::prepareSnapshot() {
    if (!storedDrawn_) drawStoredTracks();
}

void MapPage::drawStoredTracks() {
    if (playing()) return;
    storedDrawn_ = true;
    chart_->setDelay(0);
    for (int i = 0; i < tracks_->count(); ++i) {
        const QString name = tracks_->item(i)->data(Qt::UserRole).toString();
        runner_->run([&] { return chart_->drawTrack(name); });
    }
    chart_->setDelay(kDelay);
}

void MapPage::fillWindowMenu(QMenu& menu) {
    AddSystemMenuEntries(menu, *chart_, this, [this](int32_t id) { runWindowEntry(id); });
}

void MapPage::updateWindowMenu(QMenu& menu) {
    UpdateSystemMenuEntries(menu, *chart_);
}

void MapPage::runWindowEntry(int32_t id) {
    // runSystemMenuEntry is of the embedding layer, which raises rather than reports.
    try {
        chart_->runSystemMenuEntry(id);
    } catch (const ctl::RaisedError& e) {
        say(QString::fromStdString(e.description()), true);
    }
    refreshTracks();
}

void MapPage::stopWork() {
    if (playing()) stopPlayback();
}

void MapPage::showEvent(QShowEvent* e) {
    DemoPage::showEvent(e);
    refreshTracks();  // the store may have changed meanwhile (trackdb, another page)
    // The stored tracks are on the map when it first opens, once the chart has its size.
    if (!storedDrawn_)
        QTimer::singleShot(0, this, [this] {
            if (!storedDrawn_ && isVisible()) drawStoredTracks();
        });
}

void MapPage::updateButtons() {
    const bool running = playing();
    play_->setEnabled(!running && !selectedTrack().isEmpty());
    pause_->setEnabled(chartPlaying());
    pause_->setText(paused() ? "&Resume" : "Pa&use");
    stop_->setEnabled(running);
    if (running && !poll_.isActive())
        poll_.start();
    else if (!running)
        poll_.stop();
}

void MapPage::say(const QString& text, bool error) {
    status_->setStyleSheet(error ? "color: #a00000;" : "color: #303030;");
    status_->setText(text);
}

}  // namespace demo
