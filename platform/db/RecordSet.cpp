#include "platform/db/RecordSet.h"

#include <strings.h>

#include "platform/com/RaisedError.h"
#include "platform/db/DbErrors.h"

namespace ctl::db {

RecordSet::RecordSet(std::vector<std::string> columns)
    : columns_(std::move(columns)), open_(true) {}

RecordSet::Cell& RecordSet::push() {
    if ((count_ & (kChunk - 1)) == 0) {
        chunks_.emplace_back();
        chunks_.back().reserve(kChunk);
    }
    ++count_;
    return chunks_.back().emplace_back();
}

void RecordSet::AddNull() {
    Cell& c = push();
    c.kind = Value::Null;
    c.i = 0;
}

void RecordSet::AddInteger(int64_t v) {
    Cell& c = push();
    c.kind = Value::Integer;
    c.i = v;
}

void RecordSet::AddReal(double v) {
    Cell& c = push();
    c.kind = Value::Real;
    c.d = v;
}

void RecordSet::AddText(std::string_view v) {
    texts_.emplace_back(v);
    Cell& c = push();
    c.kind = Value::Text;
    c.text = texts_.size() - 1;
}

void RecordSet::requireOpen() const {
    if (!open_) Raise(errDbUsage, "The record set is closed");
}

int64_t RecordSet::RecordCount() const {
    requireOpen();
    return int64_t(rows());
}

void RecordSet::MoveFirst() {
    requireOpen();
    pos_ = 0;
}

void RecordSet::MoveLast() {
    requireOpen();
    pos_ = rows() == 0 ? 0 : rows() - 1;
}

void RecordSet::MoveNext() {
    requireOpen();
    if (pos_ >= rows()) Raise(errDbUsage, "No current record: the record set is past its end");
    ++pos_;
}

size_t RecordSet::ColumnIndex(const std::string& column) const {
    requireOpen();
    for (size_t i = 0; i < columns_.size(); ++i)
        if (strcasecmp(columns_[i].c_str(), column.c_str()) == 0) return i;
    Raise(errDbUsage, "The record set has no column named " + column);
}

const RecordSet::Cell& RecordSet::current(size_t column) const {
    requireOpen();
    if (pos_ >= rows()) Raise(errDbUsage, "No current record: the record set is past its end");
    if (column >= columns_.size()) Raise(errDbUsage, "No such column position");
    const size_t i = pos_ * columns_.size() + column;
    return chunks_[i >> kChunkShift][i & (kChunk - 1)];
}

Value RecordSet::FieldAt(size_t column) const {
    const Cell& c = current(column);
    switch (c.kind) {
        case Value::Integer:
            return Value(c.i);
        case Value::Real:
        case Value::Single:
            return Value(c.d);
        case Value::Text:
            return Value(texts_[c.text]);
        case Value::Null:
            break;
    }
    return Value();
}

double RecordSet::DoubleAt(size_t column) const {
    const Cell& c = current(column);
    if (c.kind == Value::Real) return c.d;
    if (c.kind == Value::Integer) return double(c.i);
    return FieldAt(column).asDouble();
}

Value RecordSet::Field(const std::string& column) const {
    return FieldAt(ColumnIndex(column));
}

void RecordSet::Close() {
    open_ = false;
    columns_.clear();
    chunks_.clear();
    count_ = 0;
    texts_.clear();
    pos_ = 0;
}

}  // namespace ctl::db
