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

namespace ctl {
class ControlWidget;
}

namespace demo {

class DrawRunner;

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

  private:
    ctl::ControlWidget* chart_;
    std::unique_ptr<DrawRunner> runner_;
    QComboBox* series_;
    QCheckBox *points_, *grid_, *trend_;
    QSlider *delay_, *step_;
    QLabel *delayText_, *stepText_, *status_;
    QPushButton *draw_, *pause_, *stop_, *settings_;

    void setUpScale();  // ranges and units of the chosen series, then SetScaleUnit
    void drawSeries();  // the series, then its least-squares line
    bool plot(const std::vector<double>& x, const std::vector<double>& y, uint32_t colour);
    void updateButtons();
    void say(const QString& text, bool error = false);
};

}  // namespace demo
