#pragma once
// The demo's main window: the pages in a side list, with File, Window and Help menus.
#include <QMainWindow>
#include <QTimer>
#include <vector>

class QListWidget;
class QStackedWidget;
class QMenu;

namespace demo {

class DemoPage;

class DemoWindow : public QMainWindow {
  public:
    explicit DemoWindow(const QString& dataFolder, QWidget* parent = nullptr);
    const std::vector<DemoPage*>& pages() const { return pages_; }
    void showPage(int index);

  protected:
    void closeEvent(class QCloseEvent* e) override;

  private:
    std::vector<DemoPage*> pages_;
    QListWidget* list_;
    QStackedWidget* stack_;
    QMenu* windowMenu_;
    QTimer windowMenuSync_;  // keeps the open Window menu in step with the page's control
    void addPage(DemoPage* page);
};

}  // namespace demo
