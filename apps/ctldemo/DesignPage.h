#pragma once
// The design page: any control on a form at design time with a property browser built from
// its type table, its property file saved and loaded, and a run mode whose events are logged
// with their arguments as they are raised.
#include "DemoPage.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace ctl {
class ControlWidget;
}

namespace demo {

class EventLog;
class PropertyBrowser;

class DesignPage : public DemoPage {
  public:
    DesignPage(const QString& dataFolder, QWidget* parent = nullptr);
    QString title() const override { return "Design mode"; }
    QString summary() const override;
    void prepareSnapshot() override;

    // The property file used by Save and Load.
    QString formFile() const;
    // Puts a new control of the class on the form (at design time unless run mode is on).
    void place(const QString& className);
    void save();
    void load();
    // A few rows through the control's AddItem (run mode, controls that have it).
    void addSampleRows();

  private:
    QString folder_;
    QComboBox* classes_;
    QCheckBox *runMode_, *hidden_;
    QPushButton* rowsButton_;
    QFrame* form_;
    QVBoxLayout* formLayout_;
    ctl::ControlWidget* control_ = nullptr;
    PropertyBrowser* browser_;
    EventLog* log_;
    QLabel* status_;

    void connectControl();
    void say(const QString& text, bool error = false);
};

}  // namespace demo
