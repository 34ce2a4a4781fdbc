#pragma once
// What the chart tells screen readers: its title, its mode and ranges, the texts printed on its
// surface in reading order, and its data — the point series as a table in coordinate-system
// mode, the stored tracks as a list in map mode.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Accessible.h"

namespace karvex {

class ucKarvex;

class ucKarvexAccessible : public ctl::AccessibleSource {
  public:
    explicit ucKarvexAccessible(ucKarvex& chart);

    ctl::AccessibleRole Role() const override { return ctl::AccessibleRole::Chart; }
    std::string Name() const override;
    std::string Description() const override;
    int PartCount() const override;
    ctl::AccessiblePart Part(int index) const override;
    int Rows(int part) const override;
    int Columns(int part) const override;
    std::string ColumnName(int part, int column) const override;
    std::string Cell(int part, int row, int column) const override;

    // Announcements the chart makes.
    void TitleChanged();
    void RangesChanged();
    void TextsChanged();  // printed or cleared
    void DrawingFinished();
    void TracksChanged();  // a track committed or deleted, the store opened or closed

  private:
    bool MapMode() const;
    // The printed texts in reading order: top to bottom, left to right on a line.
    const std::vector<size_t>& ReadingOrder() const;
    int DataPart() const;
    const std::vector<std::string>& TrackNames() const;
    std::string PointText(int row, int column) const;

    ucKarvex& chart_;
    mutable std::vector<size_t> order_;
    mutable bool orderStale_ = true;
    // What the order was worked out for: the count and the last text with its place.
    mutable size_t orderSize_ = 0;
    mutable std::string orderLast_;
    mutable float orderLastX_ = 0, orderLastY_ = 0;
    mutable std::vector<std::string> tracks_;
    mutable bool tracksStale_ = true;
};

}  // namespace karvex
