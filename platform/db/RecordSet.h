#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/DbValue.h"

namespace ctl::db {

// The rows of a query, all fetched when it is opened (a client-side static cursor): the record
// count is exact from the start, and the cursor moves freely. Read-only.
class RecordSet {
  public:
    RecordSet() = default;
    // An open record set with these columns and no rows yet; providers then add the values,
    // one per column, row after row.
    explicit RecordSet(std::vector<std::string> columns);
    void AddNull();
    void AddInteger(int64_t v);
    void AddReal(double v);
    void AddText(std::string_view v);

    bool IsOpen() const { return open_; }
    int64_t RecordCount() const;
    bool IsEOF() const { return pos_ >= rows(); }  // past the last record (or no records)
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    // The current record's value of a column, by name without regard to case. Raises when
    // the cursor is past an end or the column does not exist.
    Value Field(const std::string& column) const;
    // Column position for repeated reads, and the value at a column position.
    size_t ColumnIndex(const std::string& column) const;
    Value FieldAt(size_t column) const;
    // The value at a column position as a number (raises for text that is none, and Null).
    double DoubleAt(size_t column) const;
    const std::vector<std::string>& Columns() const { return columns_; }
    void Close();

  private:
    // One stored value: numbers in place, text in a side list.
    struct Cell {
        Value::Kind kind;
        union {
            int64_t i;
            double d;
            size_t text;
        };
    };
    // Cells live in fixed-size chunks, so a growing record set never moves what it holds.
    static constexpr size_t kChunkShift = 12, kChunk = size_t(1) << kChunkShift;
    size_t rows() const { return columns_.empty() ? 0 : count_ / columns_.size(); }
    void requireOpen() const;
    Cell& push();
    const Cell& current(size_t column) const;
    std::vector<std::string> columns_;
    std::vector<std::vector<Cell>> chunks_;  // row after row
    size_t count_ = 0;
    std::vector<std::string> texts_;
    size_t pos_ = 0;
    bool open_ = false;
};

}  // namespace ctl::db
