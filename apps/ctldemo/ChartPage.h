#pragma once
// The coordinate-system page: a dated series plotted with its least-squares line and point
// marks, animated drawing with speed controls, pause and stop, and the settings dialog.
#include <memory>

#include "DemoPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

class KarvexChart;

namespace demo {

class DrawRunner;
class TrackPlotter;
struct PlotTrack;

class ChartPage : public DemoPage {
  public:
    explicit ChartPage(QWidget* parent = nullptr);
    ~ChartPage() override;
    QString title() const override { return "Coordinate system"; }
    QString summary() const override;
    void prepareSnapshot() override;
    void fillWindowMenu(QMenu& menu) override;
    void updateWindowMenu(QMenu& menu) override;
    void stopWork() override;

    // What the picture holds, so a stop or a new size can draw it again at once.
    struct Drawn {
        size_t points = 0;   // of the series, from its first
        bool trend = false;  // the least-squares line
    };
    const Drawn& drawn() const { return drawn_; }
    // The status line under the buttons (for tests).
    QString status() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KarvexChart* chart_;
    std::unique_ptr<DrawRunner> runner_;
    std::unique_ptr<TrackPlotter> plotter_;
    Drawn drawn_;
    bool redrawQueued_ = false;    // a size change waits for its redraw
    bool dialogRedraw_ = false;    // the settings dialog's Draw is plotting the series
    bool refuseNextDraw_ = false;  // ... but its points could not be loaded
    QComboBox* series_;
    QCheckBox *points_, *grid_, *trend_;
    QSlider *delay_, *step_;
    QLabel *delayText_, *stepText_, *status_;
    QPushButton *draw_, *pause_, *stop_, *settings_;

    void setUpScale();  // ranges and units of the chosen series, then the frame
    void drawSeries();  // the series animated, then its least-squares line
    // The frame, then what `drawn_` says, without animation (after a stop, a new size, the
    // settings dialog's OK).
    bool redrawAtOnce();
    void queueRedraw();
    void settingsChanged(bool redraw);
    void finishDialogRedraw();
    PlotTrack seriesTrack() const;
    PlotTrack trendTrack() const;
    void sayDrawn();
    void sayStopped();
    void updateButtons();
    void say(const QString& text, bool error = false);
};

}  // namespace demo
