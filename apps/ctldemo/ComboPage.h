#pragma once
// The combo page: the three styles side by side with two-column data, a 100,000-row combo,
// and the AutoFill and Locked switches.
#include <vector>

#include "DemoPage.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QPushButton;

class QuorlinComboBox;

namespace demo {

class ComboPage : public DemoPage {
  public:
    explicit ComboPage(QWidget* parent = nullptr);
    QString title() const override { return "Combos"; }
    QString summary() const override;
    void prepareSnapshot() override;

  private:
    std::vector<QuorlinComboBox*> styled_;  // Dropdown Combo, Simple Combo, Dropdown List
    QuorlinComboBox* big_;
    QCheckBox *autoFill_, *locked_;
    QLabel *picked_, *bigStatus_;
    std::vector<QPushButton*> sortButtons_;
    QPushButton* fill_;

    QuorlinComboBox* addStyled(int style, const QString& caption, const QString& note,
                               QWidget* parent, QGridLayout* grid, int column);
    void fillBig();
    void sortBig(int column, bool numeric);
    void showPick(QuorlinComboBox* combo);
    void say(const QString& text, bool error = false);
};

}  // namespace demo
