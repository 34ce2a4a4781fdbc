#pragma once
// Counts the paint events of a window it watches: the drop-down benchmarks wait for a list to
// have painted before they stop the clock.
#include <QEvent>
#include <QObject>

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};
