#pragma once
// What the two-column combo tells screen readers: a combo box whose value is its text, its two
// cells named after their columns (editable text cells, or the labels of the drop-down list
// style), and its rows as a table of two columns with the current row selected.
#include <string>

#include "platform/forms/Accessible.h"

namespace quorlin {

class ucvQuorlin;

class ucvQuorlinAccessible : public ctl::AccessibleSource {
  public:
    static constexpr int kRowsPart = 2;  // after the two cells

    explicit ucvQuorlinAccessible(ucvQuorlin& combo);

    ctl::AccessibleRole Role() const override { return ctl::AccessibleRole::ComboBox; }
    std::string Name() const override;
    std::string Description() const override;
    std::string Value() const override;
    int PartCount() const override { return kRowsPart + 1; }
    ctl::AccessiblePart Part(int index) const override;
    int Rows(int part) const override;
    int Columns(int part) const override { return part == kRowsPart ? 2 : 1; }
    std::string ColumnName(int part, int column) const override;
    std::string Cell(int part, int row, int column) const override;
    int SelectedRow(int part) const override;

    // Announcements the combo makes.
    void SelectionChanged();
    void RowsChanged();
    void StyleChanged();

  private:
    ucvQuorlin& combo_;
};

}  // namespace quorlin
