#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/db/DbValue.h"

namespace ctl::db {

// The rows of a query, all fetched when it is opened (a client-side static cursor): the record
// count is exact from the start, and the cursor moves freely. Read-only.
class RecordSet {
  public:
    RecordSet() = default;
    RecordSet(std::vector<std::string> columns, std::vector<Value> cells);

    bool IsOpen() const { return open_; }
    int64_t RecordCount() const;
    bool IsEOF() const { return pos_ >= rows_; }  // past the last record (or no records)
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    // The current record's value of a column, by name without regard to case. Raises when
    // the cursor is past an end or the column does not exist.
    const Value& Field(const std::string& column) const;
    // Column position for repeated reads, and the value at a column position.
    size_t ColumnIndex(const std::string& column) const;
    const Value& FieldAt(size_t column) const;
    const std::vector<std::string>& Columns() const { return columns_; }
    void Close();

  private:
    void requireOpen() const;
    std::vector<std::string> columns_;
    std::vector<Value> cells_;  // row after row
    size_t rows_ = 0, pos_ = 0;
    bool open_ = false;
};

}  // namespace ctl::db
