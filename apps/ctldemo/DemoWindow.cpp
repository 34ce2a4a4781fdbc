#include "DemoWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QStackedWidget>
#include <QStatusBar>

#include "ChartPage.h"
#include "ComboPage.h"
#include "DesignPage.h"
#include "MapPage.h"

namespace demo {

namespace {
constexpr int kWindowMenuSyncMs = 250;
}  // namespace

DemoWindow::DemoWindow(const QString& dataFolder, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Controls demo");
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    list_ = new QListWidget(central);
    list_->setFixedWidth(170);
    list_->setStyleSheet(
        "QListWidget { font-size: 11pt; border: none; background: #2f3b4c; color: #e8ecf2; }"
        "QListWidget::item { padding: 10px 8px; }"
        "QListWidget::item:selected { background: #4c6a92; color: white; }");
    stack_ = new QStackedWidget(central);
    layout->addWidget(list_);
    layout->addWidget(stack_, 1);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Quit", QKeySequence::Quit, this, [this] { close(); });
    windowMenu_ = menuBar()->addMenu("&Window");
    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&About this demo", this, [this] {
        QMessageBox::about(this, "Controls demo",
                           "Shows the chart and two-column combo controls in a Qt "
                           "application, through the same typed widgets any application "
                           "uses.");
    });

    addPage(new ChartPage(stack_));
    addPage(new MapPage(dataFolder, stack_));
    addPage(new ComboPage(stack_));
    addPage(new DesignPage(dataFolder, stack_));

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        for (DemoPage* p : pages_)
            if (p != pages_[size_t(row)]) p->stopWork();
        stack_->setCurrentIndex(row);
    });
    // The Window menu holds the entries of the page on show.
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        windowMenu_->clear();
        if (auto* page = dynamic_cast<DemoPage*>(stack_->currentWidget()))
            page->fillWindowMenu(*windowMenu_);
        if (windowMenu_->isEmpty()) windowMenu_->addAction("(no entries)")->setEnabled(false);
        windowMenuSync_.start();
    });
    // A playback may end, or a drawing begin, while the menu is open.
    windowMenuSync_.setInterval(kWindowMenuSyncMs);
    connect(&windowMenuSync_, &QTimer::timeout, this, [this] {
        if (auto* page = dynamic_cast<DemoPage*>(stack_->currentWidget()))
            page->updateWindowMenu(*windowMenu_);
    });
    connect(windowMenu_, &QMenu::aboutToHide, this, [this] { windowMenuSync_.stop(); });
    showPage(0);
    statusBar()->showMessage("Pick a page on the left; every control here is live.");
    resize(1280, 800);
}

void DemoWindow::addPage(DemoPage* page) {
    pages_.push_back(page);
    stack_->addWidget(page);
    list_->addItem(page->title());
}

void DemoWindow::showPage(int index) {
    if (index >= 0 && index < int(pages_.size())) list_->setCurrentRow(index);
}

void DemoWindow::closeEvent(QCloseEvent* e) {
    // Drawings running in the pages leave at their next step.
    for (DemoPage* p : pages_) p->stopWork();
    QMainWindow::closeEvent(e);
}

}  // namespace demo
