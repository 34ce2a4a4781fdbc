#include "platform/db/RecordSet.h"

#include <strings.h>

#include "platform/com/RaisedError.h"
#include "platform/db/DbErrors.h"

namespace ctl::db {

RecordSet::RecordSet(std::vector<std::string> columns, std::vector<Value> cells)
    : columns_(std::move(columns)), cells_(std::move(cells)), open_(true) {
    rows_ = columns_.empty() ? 0 : cells_.size() / columns_.size();
}

void RecordSet::requireOpen() const {
    if (!open_) Raise(errDbUsage, "The record set is closed");
}

int64_t RecordSet::RecordCount() const {
    requireOpen();
    return int64_t(rows_);
}

void RecordSet::MoveFirst() {
    requireOpen();
    pos_ = 0;
}

void RecordSet::MoveLast() {
    requireOpen();
    pos_ = rows_ == 0 ? 0 : rows_ - 1;
}

void RecordSet::MoveNext() {
    requireOpen();
    if (pos_ >= rows_) Raise(errDbUsage, "No current record: the record set is past its end");
    ++pos_;
}

size_t RecordSet::ColumnIndex(const std::string& column) const {
    requireOpen();
    for (size_t i = 0; i < columns_.size(); ++i)
        if (strcasecmp(columns_[i].c_str(), column.c_str()) == 0) return i;
    Raise(errDbUsage, "The record set has no column named " + column);
}

const Value& RecordSet::FieldAt(size_t column) const {
    requireOpen();
    if (pos_ >= rows_) Raise(errDbUsage, "No current record: the record set is past its end");
    if (column >= columns_.size()) Raise(errDbUsage, "No such column position");
    return cells_[pos_ * columns_.size() + column];
}

const Value& RecordSet::Field(const std::string& column) const {
    return FieldAt(ColumnIndex(column));
}

void RecordSet::Close() {
    open_ = false;
    columns_.clear();
    cells_.clear();
    rows_ = pos_ = 0;
}

}  // namespace ctl::db
