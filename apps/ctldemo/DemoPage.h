#pragma once
// One page of the demo: a capability shown with real controls on a real form.
#include <QString>
#include <QWidget>

class QMenu;

namespace demo {

class DemoPage : public QWidget {
  public:
    using QWidget::QWidget;
    virtual QString title() const = 0;
    // One or two sentences for the gallery under the page's picture.
    virtual QString summary() const = 0;
    // Brings the page, without waiting or asking, to a state worth a picture.
    virtual void prepareSnapshot() {}
    // Entries of the menu bar's "Window" menu while the page is shown.
    virtual void fillWindowMenu(QMenu&) {}
    // Brings those entries up to date while the menu stays open.
    virtual void updateWindowMenu(QMenu&) {}
    // Stops running drawings and pauses (the page is left or the window closes).
    virtual void stopWork() {}
};

// A bold title and a wrapped explanation at the top of a page.
QWidget* PageHeader(const QString& title, const QString& text, QWidget* parent);

}  // namespace demo
