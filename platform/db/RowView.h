#pragma once
#include <cstddef>
#include <string>

#include "platform/db/DbValue.h"

namespace ctl::db {

// One row of a query while it is being read (Connection::ReadRows): valid only inside the call
// that hands it over. Values convert as a record set's do.
class RowView {
  public:
    virtual ~RowView() = default;
    // Column position by name without regard to case; raises when there is no such column.
    virtual size_t ColumnIndex(const std::string& column) const = 0;
    virtual Value FieldAt(size_t column) const = 0;
    // The value as a number (raises for text that is none, and Null).
    virtual double DoubleAt(size_t column) const { return FieldAt(column).asDouble(); }
};

}  // namespace ctl::db
