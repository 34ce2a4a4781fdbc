#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

// The rows as a sort reads them: trimmed cells and item data, in list order.
struct SortRows {
    std::vector<std::string> col1, col2;
    std::vector<int32_t> data;
    size_t size() const { return data.size(); }
};

// Puts the combo's rows in ascending order of one column: the first or second cell compared
// as text (by the locale, without regard to case) or read as numbers, or the item data.
// Each row's key is made once, then an index of the rows is sorted (n log n); pending events
// run by time slices meanwhile. Rows with equal keys may come out in any order.
class ComboSort {
  public:
    // Col is 1, 2 or 3 (checked by the caller); Col 3 always compares numbers.
    ComboSort(int Col, bool OnNumeric) : NumericSort(OnNumeric || Col == 3), col_(Col) {}

    // The row positions in their new order. Raises 13 (type mismatch) when the locale reader
    // meets a cell that is no number; the rows are not touched by this class in any case.
    std::vector<int32_t> Order(const SortRows& rows);

    const bool NumericSort;
    // Numbers of the column are read with the point-decimal reader: the first row's cell
    // holds no comma. Otherwise the locale's reader, which honours a decimal comma.
    bool PlainNumbers = true;

  private:
    const int col_;
    std::vector<double> NumberKeys(const SortRows& rows);
};

}  // namespace quorlin
