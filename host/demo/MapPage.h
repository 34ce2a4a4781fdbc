#pragma once
// The map page: the chart in map mode over a background map picture, with the stored tracks
// listed beside it and played back with pause, resume and stop.
#include <memory>

#include "DemoPage.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace ctl {
class ControlWidget;
}

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
    void stopWork() override;

  private:
    QString folder_;
    ctl::ControlWidget* chart_;
    std::unique_ptr<DrawRunner> runner_;
    QListWidget* tracks_;
    QLabel *store_, *mouse_, *status_;
    QPushButton *play_, *pause_, *stop_;

    void loadPicture();
    void playSelected();
    void updateButtons();
    void say(const QString& text, bool error = false);
};

}  // namespace demo
