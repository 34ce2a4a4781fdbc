#pragma once
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace quorlin {

// The rows as a sort reads them, one cell at a time and only what it sorts on: the lists are
// read in place, never copied. Events run while the keys are made; `present` tells whether the
// rows are still there afterwards, and nothing is read once they are not.
struct SortInput {
    size_t rows = 0;
    std::function<std::u16string_view(size_t row)> cell;  // blanks around it included
    std::function<int32_t(size_t row)> data;
    std::function<bool()> present;
};

// Puts the combo's rows in ascending order of one column: the first or second cell compared
// as text (by the locale, without regard to case, blanks around it left out) or read as
// numbers, or the item data. Each row's key is made once, then an index of the rows is sorted
// (n log n); pending events run by time slices meanwhile. Rows with equal keys may come out in
// any order.
class ComboSort {
  public:
    // Col is 1, 2 or 3 (checked by the caller); Col 3 always compares numbers.
    ComboSort(int Col, bool OnNumeric) : NumericSort(OnNumeric || Col == 3), col_(Col) {}

    // The row positions in their new order; empty when the rows went away while events ran.
    // Raises 13 (type mismatch) when the locale reader meets a cell that is no number; the
    // rows are not touched by this class in any case.
    std::vector<int32_t> Order(const SortInput& rows);

    const bool NumericSort;
    // Numbers of the column are read with the point-decimal reader: the first row's cell
    // holds no comma. Otherwise the locale's reader, which honours a decimal comma.
    bool PlainNumbers = true;

  private:
    const int col_;
    bool NumberKeys(const SortInput& rows, std::vector<double>& keys);
};

}  // namespace quorlin
