#include "platform/db/Connection.h"

#include <algorithm>

#include "platform/com/RaisedError.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbErrors.h"
#include "platform/db/PostgresConnection.h"
#include "platform/db/SqliteConnection.h"

namespace ctl::db {

void Connection::Record(const Statement& statement) {
    if (capacity_ == 0) return;
    if (ring_.size() < capacity_) {
        ring_.push_back(statement);
    } else {
        ring_[next_] = statement;  // assignment keeps the slot's storage: no allocation
    }
    next_ = (next_ + 1) % capacity_;
    count_ = std::min(count_ + 1, capacity_);
}

std::vector<std::string> Connection::Trace() const {
    std::vector<std::string> out;
    out.reserve(count_);
    size_t start = ring_.size() < capacity_ ? 0 : next_;
    for (size_t i = 0; i < ring_.size(); ++i)
        out.push_back(ring_[(start + i) % ring_.size()].Text());
    return out;
}

void Connection::ClearTrace() {
    ring_.clear();
    next_ = count_ = 0;
}

void Connection::setTraceCapacity(size_t n) {
    ClearTrace();
    capacity_ = n;
}

namespace {
// A record set's current row seen as a row being read.
class RecordSetRow : public RowView {
  public:
    explicit RecordSetRow(const RecordSet& rs) : rs_(rs) {}
    size_t ColumnIndex(const std::string& column) const override { return rs_.ColumnIndex(column); }
    Value FieldAt(size_t column) const override { return rs_.FieldAt(column); }
    double DoubleAt(size_t column) const override { return rs_.DoubleAt(column); }

  private:
    const RecordSet& rs_;
};
}  // namespace

int64_t Connection::ReadRows(const Statement& statement,
                             const std::function<bool(const RowView&)>& row) {
    RecordSet rs = OpenRecordSet(statement);
    RecordSetRow view(rs);
    int64_t n = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        ++n;
        if (!row(view)) break;
    }
    return n;
}

std::unique_ptr<Connection> CreateConnection(const std::string& connectionString) {
    // A libpq string is not ours to parse (its values hold ";" and "=" freely).
    if (IsServerAddress(connectionString)) return std::make_unique<PostgresConnection>();
    ConnectionString cs(connectionString);
    std::string provider = cs.Get("provider");
    std::transform(provider.begin(), provider.end(), provider.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (provider.empty() || provider == "sqlite" || provider == "sqlite3")
        return std::make_unique<SqliteConnection>();
    Raise(errDbNoProvider, "Provider cannot be found: " + cs.Get("provider"));
}

}  // namespace ctl::db
