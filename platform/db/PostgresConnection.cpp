#include "platform/db/PostgresConnection.h"

#include <libpq-fe.h>
#include <strings.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

#include "platform/com/RaisedError.h"
#include "platform/db/DbErrors.h"

namespace ctl::db {

namespace {
constexpr const char kPrefix[] = "provider=postgresql;";

bool StartsWithNoCase(const std::string& s, const char* prefix) {
    const size_t n = std::strlen(prefix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i]) return false;
    return true;
}

// The libpq part of a connection string of this provider.
std::string LibpqText(const std::string& connectionString) {
    if (StartsWithNoCase(connectionString, kPrefix))
        return connectionString.substr(sizeof kPrefix - 1);
    return connectionString;
}

// Type numbers of the server's built-in types that come back as numbers.
enum : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700
};

void ParamText(const Value& v, std::string& out) {
    char buf[32];
    switch (v.kind()) {
        case Value::Integer:
            out.assign(buf, std::to_chars(buf, buf + sizeof buf, v.asInteger()).ptr);
            break;
        case Value::Real:
        case Value::Single:
            // The shortest text that reads back as the same double.
            out.assign(buf, std::to_chars(buf, buf + sizeof buf, v.asDouble()).ptr);
            break;
        default:
            out = v.text();
            break;
    }
}

// Where a failure belongs, by its SQLSTATE (five characters, the first two its class).
int32_t NumberFor(const char* state) {
    const std::string s = state ? state : "";
    if (s == "55P03" || s == "40P01" || s == "40001") return errDbBusy;
    if (s == "42501") return errDbServer;  // no permission: the table itself may be right
    const std::string cls = s.substr(0, 2);
    if (cls == "21" || cls == "22" || cls == "23" || cls == "42" || cls == "0A")
        return errDbStatement;
    if (cls == "08" || cls == "28" || cls == "3D") return errDbCannotOpen;
    return errDbServer;
}

// A server's message on one line, for a message box.
std::string OneLine(const char* text) {
    std::string s;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\n' || *p == '\t') {
            if (!s.empty() && s.back() != ' ') s += ' ';
        } else {
            s += *p;
        }
    }
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}
// How a value of a column of this type is read.
Value::Kind Kind(Oid type) {
    switch (type) {
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
        case kBool:
            return Value::Integer;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return Value::Real;
        default:
            return Value::Text;
    }
}

int64_t ReadInteger(Oid type, const char* v, const char* end) {
    if (type == kBool) return *v == 't' ? 1 : 0;
    int64_t i = 0;
    std::from_chars(v, end, i);
    return i;
}

double ReadReal(const char* v, const char* end) {
    double d = 0;
    // "NaN" and "Infinity" are the server's words for what strtod reads as such.
    if (std::from_chars(v, end, d).ec != std::errc()) d = std::strtod(v, nullptr);
    return d;
}

// A row of a server's result while ReadRows hands it over: values are read from the result
// itself, not copied into a record set first.
class ResultRow : public RowView {
  public:
    explicit ResultRow(const PGresult* r) : r_(r) {
        for (int c = 0; c < PQnfields(r); ++c) types_.push_back(PQftype(r, c));
    }
    int row = 0;

    size_t ColumnIndex(const std::string& column) const override {
        for (size_t c = 0; c < types_.size(); ++c)
            if (strcasecmp(PQfname(r_, int(c)), column.c_str()) == 0) return c;
        Raise(errDbUsage, "The record set has no column named " + column);
    }
    Value FieldAt(size_t column) const override {
        const int c = checked(column);
        if (PQgetisnull(r_, row, c)) return Value();
        const char* v = PQgetvalue(r_, row, c);
        const char* end = v + PQgetlength(r_, row, c);
        switch (Kind(types_[column])) {
            case Value::Integer:
                return Value(ReadInteger(types_[column], v, end));
            case Value::Real:
                return Value(ReadReal(v, end));
            default:
                return Value(std::string(v, end));
        }
    }
    double DoubleAt(size_t column) const override {
        const int c = checked(column);
        if (Kind(types_[column]) == Value::Real && !PQgetisnull(r_, row, c)) {
            const char* v = PQgetvalue(r_, row, c);
            return ReadReal(v, v + PQgetlength(r_, row, c));
        }
        return FieldAt(column).asDouble();
    }

  private:
    int checked(size_t column) const {
        if (column >= types_.size()) Raise(errDbUsage, "No such column position");
        return int(column);
    }
    const PGresult* r_;
    std::vector<Oid> types_;
};
}  // namespace

// One result of the server, freed when it ends.
struct PostgresConnection::Result {
    PGresult* r = nullptr;
    explicit Result(PGresult* p) : r(p) {}
    Result(Result&& o) noexcept : r(o.r) { o.r = nullptr; }
    Result& operator=(Result&& o) noexcept {
        std::swap(r, o.r);
        return *this;
    }
    ~Result() { PQclear(r); }
    bool ok() const {
        const ExecStatusType s = PQresultStatus(r);
        return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
    }
    const char* state() const { return r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr; }
    std::string message() const {
        const char* primary = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        return OneLine(primary ? primary : PQresultErrorMessage(r));
    }
};

bool IsServerAddress(const std::string& text) {
    if (StartsWithNoCase(text, kPrefix) || StartsWithNoCase(text, "postgresql://") ||
        StartsWithNoCase(text, "postgres://"))
        return true;
    // A key=value string with keys libpq knows ("data source=..." is not one of them).
    if (text.find('=') == std::string::npos) return false;
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(text.c_str(), &error);
    PQfreemem(error);
    if (!options) return false;
    PQconninfoFree(options);
    return true;
}

std::string ServerConnectionString(const std::string& text) {
    return StartsWithNoCase(text, kPrefix) ? text : kPrefix + text;
}

std::string DescribeServer(const std::string& libpqText) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(LibpqText(libpqText).c_str(), &error);
    PQfreemem(error);
    if (!options) return "a database server (the connection string cannot be read)";
    std::string host, port, db, user;
    for (PQconninfoOption* o = options; o->keyword; ++o) {
        if (!o->val) continue;
        const std::string k = o->keyword;
        if (k == "host" || (k == "hostaddr" && host.empty())) host = o->val;
        if (k == "port") port = o->val;
        if (k == "dbname") db = o->val;
        if (k == "user") user = o->val;
    }
    PQconninfoFree(options);
    // What libpq takes when the string says nothing.
    if (host.empty()) host = std::getenv("PGHOST") ? std::getenv("PGHOST") : "localhost";
    std::string out = "server " + host + (port.empty() ? "" : ":" + port);
    if (!db.empty()) out += ", database " + db;
    if (!user.empty()) out += ", user " + user;
    return out;
}

PostgresConnection::~PostgresConnection() {
    Close();
}

int PostgresConnection::State() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK ? StateOpen : StateClosed;
}

void PostgresConnection::requireOpen() const {
    if (!conn_) Raise(errDbUsage, "The connection is closed");
}

void PostgresConnection::Open(const std::string& connectionString, const std::string& user,
                              const std::string& password) {
    if (conn_) Raise(errDbUsage, "The connection is already open");
    const std::string text = LibpqText(connectionString);
    server_ = DescribeServer(text);
    // A server that does not answer must not hold the control forever: ten seconds unless the
    // string says otherwise (what it says comes later, so it wins).
    std::vector<const char*> keys = {"connect_timeout", "fallback_application_name", "dbname"};
    std::vector<const char*> values = {"10", "karvex", text.c_str()};
    if (!user.empty()) keys.push_back("user"), values.push_back(user.c_str());
    if (!password.empty()) keys.push_back("password"), values.push_back(password.c_str());
    keys.push_back(nullptr);
    values.push_back(nullptr);
    conn_ = PQconnectdbParams(keys.data(), values.data(), 1);
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        // libpq's text names the socket or address and the reason, never the password.
        std::string why = conn_ ? OneLine(PQerrorMessage(conn_)) : "out of memory";
        PQfinish(conn_);
        conn_ = nullptr;
        Raise(errDbCannotOpen, "Cannot connect to the database " + server_ + ": " + why);
    }
    PQsetClientEncoding(conn_, "UTF8");
    level_ = 0;
    forgetJournal();
    names_.clear();
}

void PostgresConnection::Close() {
    if (!conn_) return;
    // Ending the session rolls an open transaction back, as the file provider does.
    PQfinish(conn_);
    conn_ = nullptr;
    level_ = 0;
    forgetJournal();
    names_.clear();
}

PostgresConnection::Result PostgresConnection::sendOnce(const Statement& statement) {
    // Preparing is part of sending: a statement the server refuses fails here.
    auto it = names_.find(statement.sql);
    if (it == names_.end()) {
        std::string sql;
        int n = 0;
        char quote = 0;
        for (char c : statement.sql) {
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '?') {
                sql += "$" + std::to_string(++n);
                continue;
            }
            sql += c;
        }
        if (n != int(statement.params.size()))
            Raise(errDbStatement, "The statement takes " + std::to_string(n) + " values, not " +
                                      std::to_string(statement.params.size()));
        const std::string name = "s" + std::to_string(names_.size() + 1);
        Result r(PQprepare(conn_, name.c_str(), sql.c_str(), n, nullptr));
        if (!r.ok()) return r;
        it = names_.emplace(statement.sql, name).first;
    }
    // The value texts live in buffers kept from statement to statement: a point's insert
    // allocates nothing here.
    const size_t n = statement.params.size();
    if (texts_.size() < n) texts_.resize(n);
    values_.assign(n, nullptr);
    for (size_t i = 0; i < n; ++i) {
        if (statement.params[i].isNull()) continue;
        ParamText(statement.params[i], texts_[i]);
        values_[i] = texts_[i].c_str();
    }
    return Result(
        PQexecPrepared(conn_, it->second.c_str(), int(n), values_.data(), nullptr, nullptr, 0));
}

PostgresConnection::Result PostgresConnection::send(const Statement& statement, bool journal) {
    requireOpen();
    Record(statement);
    Result r = sendOnce(statement);
    if (r.ok()) {
        if (journal && level_ > 0 && !journalFull_) {
            if (journal_.size() < kJournalLimit) {
                journal_.push_back(statement);
            } else {
                journalFull_ = true;
                journal_ = {};
            }
        }
        return r;
    }
    const int32_t number =
        PQstatus(conn_) == CONNECTION_OK ? NumberFor(r.state()) : errDbCannotOpen;
    std::string message = r.message();
    if (number == errDbCannotOpen)
        message = "The connection to the database " + server_ + " was lost: " + message;
    if (level_ > 0 && !replaying_) {
        if (PQtransactionStatus(conn_) == PQTRANS_INERROR) {
            try {
                replay();
            } catch (const RaisedError& e) {
                Raise(e.number(),
                      message + " (and the open transaction was lost: " + e.description() + ")");
            }
        } else if (PQtransactionStatus(conn_) != PQTRANS_INTRANS) {
            level_ = 0;
            forgetJournal();
            Raise(number, message + " (the open transaction was lost)");
        }
    }
    Raise(number, message);
}

void PostgresConnection::replay() {
    // The failed statement has ended the server's transaction in all but name: begin it
    // again and redo what it held, so that only the failed statement is undone.
    if (journalFull_) {
        Result end(PQexec(conn_, "ROLLBACK"));
        level_ = 0;
        journalFull_ = false;
        Raise(errDbServer, "it was too large to redo");
    }
    replaying_ = true;
    std::vector<Statement> redo;
    redo.swap(journal_);
    try {
        Result end(PQexec(conn_, "ROLLBACK"));
        Result begin(PQexec(conn_, "BEGIN"));
        if (!begin.ok()) Raise(NumberFor(begin.state()), begin.message());
        for (const Statement& s : redo) {
            Result r = sendOnce(s);
            if (!r.ok()) Raise(NumberFor(r.state()), r.message());
        }
    } catch (...) {
        replaying_ = false;
        Result end(PQexec(conn_, "ROLLBACK"));
        level_ = 0;
        throw;
    }
    journal_ = std::move(redo);
    replaying_ = false;
}

void PostgresConnection::forgetJournal() {
    journal_ = {};
    journalFull_ = false;
}

void PostgresConnection::run(const std::string& sql) {
    send(Statement(sql), true);
}

int PostgresConnection::BeginTrans() {
    requireOpen();
    if (level_ == 0) {
        forgetJournal();
        Record(Statement("BEGIN"));
        Result r(PQexec(conn_, "BEGIN"));
        if (!r.ok()) Raise(NumberFor(r.state()), r.message());
    } else {
        run("SAVEPOINT level" + std::to_string(level_ + 1));
    }
    return ++level_;
}

int PostgresConnection::BeginTransFor(const std::string& key) {
    const int level = BeginTrans();
    try {
        run("SET LOCAL lock_timeout = " + std::to_string(kLockWaitMs));
        send(Statement("SELECT pg_advisory_xact_lock(hashtextextended(?, 0))", {key}), true);
    } catch (const RaisedError& e) {
        try {
            if (level_ == level) RollbackTrans();
        } catch (...) {
        }
        if (e.number() == errDbBusy)
            Raise(errDbBusy, "Another user is writing the same data on the database " + server_ +
                                 " (waited " + std::to_string(kLockWaitMs / 1000.0).substr(0, 3) +
                                 " s): try again");
        throw;
    }
    return level;
}

void PostgresConnection::CommitTrans() {
    requireOpen();
    if (level_ == 0) Raise(errDbUsage, "No transaction is open");
    if (level_ == 1) {
        Record(Statement("COMMIT"));
        Result r(PQexec(conn_, "COMMIT"));
        if (!r.ok() || PQtransactionStatus(conn_) != PQTRANS_IDLE) {
            // The server ends a transaction whose commit fails: nothing stays open.
            if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
                level_ = 0;
                forgetJournal();
            }
            Raise(NumberFor(r.state()), r.message());
        }
        forgetJournal();
    } else {
        run("RELEASE level" + std::to_string(level_));
    }
    --level_;
}

void PostgresConnection::RollbackTrans() {
    requireOpen();
    if (level_ == 0) Raise(errDbUsage, "No transaction is open");
    if (level_ == 1) {
        Record(Statement("ROLLBACK"));
        Result r(PQexec(conn_, "ROLLBACK"));
        forgetJournal();
        level_ = 0;
        if (!r.ok()) Raise(NumberFor(r.state()), r.message());
        return;
    }
    const std::string name = "level" + std::to_string(level_);
    run("ROLLBACK TO " + name);
    run("RELEASE " + name);
    --level_;
}

void PostgresConnection::Execute(const Statement& statement) {
    send(statement, true);
}

RecordSet PostgresConnection::OpenRecordSet(const Statement& statement) {
    Result r = send(statement, false);
    const int columns = PQnfields(r.r), rows = PQntuples(r.r);
    std::vector<std::string> names;
    std::vector<Oid> types;
    for (int c = 0; c < columns; ++c) {
        names.emplace_back(PQfname(r.r, c));
        types.push_back(PQftype(r.r, c));
    }
    RecordSet rs(std::move(names));
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(r.r, row, c)) {
                rs.AddNull();
                continue;
            }
            const char* v = PQgetvalue(r.r, row, c);
            const char* end = v + PQgetlength(r.r, row, c);
            switch (Kind(types[size_t(c)])) {
                case Value::Integer:
                    rs.AddInteger(ReadInteger(types[size_t(c)], v, end));
                    break;
                case Value::Real:
                    rs.AddReal(ReadReal(v, end));
                    break;
                default:
                    rs.AddText(std::string_view(v, size_t(end - v)));
                    break;
            }
        }
    }
    return rs;
}

int64_t PostgresConnection::ReadRows(const Statement& statement,
                                     const std::function<bool(const RowView&)>& row) {
    // The server's result holds every row already: they are handed over from it directly,
    // and `row` may send other statements meanwhile.
    Result r = send(statement, false);
    ResultRow view(r.r);
    const int rows = PQntuples(r.r);
    int64_t n = 0;
    for (view.row = 0; view.row < rows; ++view.row) {
        ++n;
        if (!row(view)) break;
    }
    return n;
}

}  // namespace ctl::db
