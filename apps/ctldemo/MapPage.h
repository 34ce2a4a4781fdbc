#pragma once
// The map page: the chart in map mode over a background map picture, with the tracks of its
// store listed beside it and played back with pause, resume and stop. While the page is shown
// the chart's own system-menu entries make up the Window menu.
#include <QTimer>
#include <memory>

#include "DemoPage.h"
#include "TrackStoreSetup.h"
#include "widgets/KarvexChart.h"  // chart() hands the widget out

class QLabel;
class QListWidget;
class QPushButton;

namespace demo {

class DrawRunner;

class MapPage : public DemoPage {
  public:
    MapPage(const QString& dataFolder, QWidget* parent = nullptr);
    ~MapPage() override;
    QString title() const override { return "Map"; }
    QString summary() const override;
    void prepareSnapshot() override;
    void fillWindowMenu(QMenu& menu) override;
    void updateWindowMenu(QMenu& menu) override;
    void stopWork() override;

    const TrackStoreState& store() const { return store_; }
    KarvexChart& chart() { return *chart_; }
    QListWidget& trackList() { return *tracks_; }
    QString statusText() const;

    // Lists the store's tracks again, keeping the selected one while it is there.
    void refreshTracks();
    // Plays the selected track (DrawTrack); false when none was played or the chart failed.
    bool playSelected();
    // A playback runs: started here, or by the chart itself (its menu, a double-click).
    bool playing() const;
    // The chart's own playback state, as its playback commands show it.
    bool chartPlaying() const;
    bool paused() const;
    // Pauses or resumes the running playback (the chart's second DrawTrack does that).
    void togglePause();
    void stopPlayback();
    // Runs one of the chart's system-menu entries as the Window menu does.
    void runWindowEntry(int32_t id);

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    QString folder_;
    TrackStoreState store_;
    KarvexChart* chart_;
    std::unique_ptr<DrawRunner> runner_;
    QListWidget* tracks_;
    QLabel *storeLabel_, *mouse_, *status_;
    QPushButton *play_, *pause_, *stop_;
    QTimer poll_;  // follows a playback the chart runs by itself (its menu, a double-click)

    void loadPicture();
    // Every stored track drawn at once (when the page first shows, and for the gallery).
    void drawStoredTracks();
    bool storedDrawn_ = false;
    void updateButtons();
    QString selectedTrack() const;
    void say(const QString& text, bool error = false);
};

}  // namespace demo
