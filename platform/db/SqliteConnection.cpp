#include "platform/db/SqliteConnection.h"

#include <dirent.h>
#include <sqlite3.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

#include "platform/com/RaisedError.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbErrors.h"

namespace ctl::db {

std::string FindFileNoCase(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return path;
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (folder.empty()) folder = "/";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    std::vector<std::string> matches;
    while (dirent* e = ::readdir(dir))
        if (strcasecmp(e->d_name, name.c_str()) == 0) matches.push_back(e->d_name);
    ::closedir(dir);
    std::string best;
    for (const auto& m : matches) {
        std::string full = (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + m;
        if (::stat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (best.empty() || m < best) best = m;
    }
    if (best.empty()) return {};
    return (slash == std::string::npos ? "" : path.substr(0, slash + 1)) + best;
}

SqliteConnection::~SqliteConnection() {
    Close();
}

void SqliteConnection::requireOpen() const {
    if (!db_) Raise(errDbUsage, "The connection is closed");
}

void SqliteConnection::fail(int code, const std::string& what) {
    const int primary = code & 0xFF;
    std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    // Some failures (a full disk, an input/output error) make the engine roll the whole
    // transaction back: nothing may then run as if it were still open.
    std::string ended;
    if (db_ && level_ > 0 && sqlite3_get_autocommit(db_)) {
        level_ = 0;
        ended = " (the open transaction was rolled back)";
    }
    switch (primary) {
        case SQLITE_ERROR:
        case SQLITE_MISMATCH:
        case SQLITE_CONSTRAINT:
        case SQLITE_RANGE:
            Raise(errDbStatement, message + ended);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            message =
                "The database file is locked by another process: " + path_ + " (" + message + ")";
            break;
        case SQLITE_READONLY:
            message = "The database file is read-only: " + path_ + " (" + message + ")";
            break;
        case SQLITE_NOTADB:
            message = "The file is not an SQLite database: " + path_;
            break;
        case SQLITE_CORRUPT:
            message = "The database file is damaged: " + path_ + " (" + message + ")";
            break;
        case SQLITE_FULL:
            message = "The database file or its disk is full: " + path_ + " (" + message + ")";
            break;
        case SQLITE_IOERR:
            message =
                "The database file cannot be read or written: " + path_ + " (" + message + ")";
            break;
        default:
            // Every failure of the file names it.
            if (what.empty() || what.find(path_) == std::string::npos)
                message = "The database file " + path_ + (what.empty() ? "" : " (" + what + ")") +
                          ": " + message;
            else
                message = what + ": " + message;
            break;
    }
    Raise(errDbEngineBase + primary, message + ended);
}

void SqliteConnection::Open(const std::string& connectionString, const std::string&,
                            const std::string&) {
    if (db_) Raise(errDbUsage, "The connection is already open");
    ConnectionString cs(connectionString);
    std::string source = cs.Get("data source");
    if (source.empty())
        Raise(errDbEngineBase + SQLITE_CANTOPEN, "No data source named in the connection string");
    const std::string create = cs.Get("create");
    OpenFile(source, create == "yes" || create == "true" || create == "1");
}

void SqliteConnection::OpenFile(const std::string& source, bool mayCreate) {
    if (db_) Raise(errDbUsage, "The connection is already open");
    if (source.empty()) Raise(errDbEngineBase + SQLITE_CANTOPEN, "No database file named");
    std::string found = FindFileNoCase(source);
    path_ = found.empty() ? source : found;
    if (found.empty() && !mayCreate)
        Raise(errDbEngineBase + SQLITE_CANTOPEN, "The database file does not exist: " + source);
    struct stat st {};
    const bool writable = found.empty() || (::stat(path_.c_str(), &st) == 0 &&
                                            (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0);
    const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) |
                      (found.empty() ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    // The path goes to the engine as a path: one that begins like a URI ("file:...") is
    // made plainly relative, so that no part of it is read as an option.
    std::string enginePath = path_;
    if (enginePath.size() >= 5 && strncasecmp(enginePath.c_str(), "file:", 5) == 0)
        enginePath = "./" + enginePath;
    int rc = sqlite3_open_v2(enginePath.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        Raise(errDbEngineBase + (rc & 0xFF),
              "Cannot open the database file " + path_ + ": " + message);
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // The engine reads a file lazily: read its schema now, so a file that is no database (or
    // that another process holds locked) fails the open, not the first query.
    rc = sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        try {
            fail(rc, "Cannot open the database file " + path_);
        } catch (...) {
            sqlite3_close(db_);
            db_ = nullptr;
            throw;
        }
    }
    // A replay reads a whole track again and again: keep the file's pages in memory (32 MB of
    // cache, and the file mapped) rather than read them from the system each time.
    sqlite3_exec(db_, "PRAGMA cache_size=-32768; PRAGMA mmap_size=268435456", nullptr, nullptr,
                 nullptr);
    level_ = 0;
}

void SqliteConnection::Close() {
    if (!db_) return;
    for (auto& [sql, st] : cache_) sqlite3_finalize(st);
    cache_.clear();
    // Closing with an open transaction rolls it back, as the engine does.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    level_ = 0;
}

void SqliteConnection::run(const char* sql) {
    Record(Statement(sql));
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
}

int SqliteConnection::BeginTrans() {
    requireOpen();
    if (level_ == 0)
        run("BEGIN");
    else
        run(("SAVEPOINT level" + std::to_string(level_ + 1)).c_str());
    return ++level_;
}

int SqliteConnection::BeginTransFor(const std::string&) {
    requireOpen();
    if (level_ > 0) return BeginTrans();
    try {
        run("BEGIN IMMEDIATE");
    } catch (const RaisedError& e) {
        if (e.number() == errDbBusy)
            Raise(errDbBusy, "Another user is writing to the database file " + path_ + " (waited " +
                                 std::to_string(kBusyTimeoutMs) + " ms): try again");
        throw;
    }
    return ++level_;
}

void SqliteConnection::CommitTrans() {
    requireOpen();
    if (level_ == 0) Raise(errDbUsage, "No transaction is open");
    if (level_ == 1) {
        // A commit waits for readers to finish: it is the moment work would otherwise be lost,
        // so it waits longer than a statement does (still bounded).
        sqlite3_busy_timeout(db_, kCommitBusyTimeoutMs);
        struct Restore {
            sqlite3* db;
            ~Restore() { sqlite3_busy_timeout(db, kBusyTimeoutMs); }
        } restore{db_};
        run("COMMIT");
    } else
        run(("RELEASE level" + std::to_string(level_)).c_str());
    --level_;
}

void SqliteConnection::RollbackTrans() {
    requireOpen();
    if (level_ == 0) Raise(errDbUsage, "No transaction is open");
    if (level_ == 1) {
        run("ROLLBACK");
    } else {
        const std::string name = "level" + std::to_string(level_);
        run(("ROLLBACK TO " + name).c_str());
        run(("RELEASE " + name).c_str());
    }
    --level_;
}

sqlite3_stmt* SqliteConnection::prepared(const Statement& statement) {
    auto it = cache_.find(statement.sql);
    if (it != cache_.end()) return it->second;
    sqlite3_stmt* st = fresh(statement);
    cache_.emplace(statement.sql, st);
    return st;
}

sqlite3_stmt* SqliteConnection::fresh(const Statement& statement) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v3(db_, statement.sql.c_str(), int(statement.sql.size()),
                                SQLITE_PREPARE_PERSISTENT, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(rc, "");
    }
    if (!st) Raise(errDbStatement, "The statement is empty");
    const int wanted = sqlite3_bind_parameter_count(st);
    if (wanted != int(statement.params.size())) {
        sqlite3_finalize(st);
        Raise(errDbStatement, "The statement takes " + std::to_string(wanted) + " values, not " +
                                  std::to_string(statement.params.size()));
    }
    return st;
}

// One run of a statement, bound to its values: the prepared one of its text, or a statement of
// its own while that one is still being read (the same query started from inside ReadRows).
// Reset (or finalized) at the end of the run, whichever way it ends.
class SqliteConnection::Use {
  public:
    Use(SqliteConnection& c, const Statement& statement) {
        st_ = c.prepared(statement);
        if (sqlite3_stmt_busy(st_)) {
            st_ = c.fresh(statement);
            own_ = true;
        }
        c.bind(st_, statement);
    }
    ~Use() {
        if (own_) {
            sqlite3_finalize(st_);
        } else {
            sqlite3_reset(st_);
            sqlite3_clear_bindings(st_);
        }
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    sqlite3_stmt* get() const { return st_; }

  private:
    sqlite3_stmt* st_ = nullptr;
    bool own_ = false;
};

void SqliteConnection::bind(sqlite3_stmt* st, const Statement& statement) {
    int i = 1;
    for (const Value& v : statement.params) {
        switch (v.kind()) {
            case Value::Null:
                sqlite3_bind_null(st, i);
                break;
            case Value::Integer:
                sqlite3_bind_int64(st, i, v.asInteger());
                break;
            case Value::Real:
            case Value::Single:
                sqlite3_bind_double(st, i, v.asDouble());
                break;
            case Value::Text:
                sqlite3_bind_text(st, i, v.text().data(), int(v.text().size()), SQLITE_STATIC);
                break;
        }
        ++i;
    }
}

int64_t SqliteConnection::Execute(const Statement& statement) {
    requireOpen();
    Record(statement);
    const sqlite3_int64 before = sqlite3_total_changes64(db_);
    int rc;
    {
        Use use(*this, statement);
        rc = sqlite3_step(use.get());
        while (rc == SQLITE_ROW) rc = sqlite3_step(use.get());
    }
    if (rc != SQLITE_DONE) fail(rc, "");
    // The engine's count of the last change stays from an earlier statement when this one
    // changed nothing (a trigger that ignored the row, a table made).
    return sqlite3_total_changes64(db_) == before ? 0 : sqlite3_changes64(db_);
}

namespace {
std::vector<std::string> ColumnNames(sqlite3_stmt* st) {
    std::vector<std::string> columns;
    const int n = sqlite3_column_count(st);
    for (int c = 0; c < n; ++c) columns.emplace_back(sqlite3_column_name(st, c));
    return columns;
}

// The row a statement stands on, read straight from the engine.
class StepRow : public RowView {
  public:
    StepRow(sqlite3_stmt* st, std::vector<std::string> columns)
        : st_(st), columns_(std::move(columns)) {}
    size_t ColumnIndex(const std::string& column) const override {
        return columns_.ColumnIndex(column);
    }
    Value FieldAt(size_t column) const override {
        check(column);
        const int c = int(column);
        switch (sqlite3_column_type(st_, c)) {
            case SQLITE_INTEGER:
                return Value(int64_t(sqlite3_column_int64(st_, c)));
            case SQLITE_FLOAT:
                return Value(sqlite3_column_double(st_, c));
            case SQLITE_NULL:
                return Value();
            default:
                return Value(std::string(reinterpret_cast<const char*>(sqlite3_column_text(st_, c)),
                                         size_t(sqlite3_column_bytes(st_, c))));
        }
    }
    double DoubleAt(size_t column) const override {
        check(column);
        const int c = int(column);
        switch (sqlite3_column_type(st_, c)) {
            case SQLITE_FLOAT:
                return sqlite3_column_double(st_, c);
            case SQLITE_INTEGER:
                return double(sqlite3_column_int64(st_, c));
            default:
                return FieldAt(column).asDouble();
        }
    }

  private:
    void check(size_t column) const {
        if (column >= columns_.Columns().size()) Raise(errDbUsage, "No such column position");
    }
    sqlite3_stmt* st_;
    RecordSet columns_;  // no rows: names only, looked up as a record set does
};
}  // namespace

RecordSet SqliteConnection::OpenRecordSet(const Statement& statement) {
    requireOpen();
    Record(statement);
    int rc;
    RecordSet rs;
    {
        Use use(*this, statement);
        sqlite3_stmt* st = use.get();
        const int n = sqlite3_column_count(st);
        rs = RecordSet(ColumnNames(st));
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = 0; c < n; ++c) {
                switch (sqlite3_column_type(st, c)) {
                    case SQLITE_INTEGER:
                        rs.AddInteger(sqlite3_column_int64(st, c));
                        break;
                    case SQLITE_FLOAT:
                        rs.AddReal(sqlite3_column_double(st, c));
                        break;
                    case SQLITE_NULL:
                        rs.AddNull();
                        break;
                    default:
                        rs.AddText(std::string_view(
                            reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                            size_t(sqlite3_column_bytes(st, c))));
                        break;
                }
            }
        }
    }
    if (rc != SQLITE_DONE) fail(rc, "");
    return rs;
}

std::vector<std::string> SqliteConnection::ColumnsOf(const std::string& table) {
    requireOpen();
    std::vector<std::string> columns;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT name FROM pragma_table_info(?) ORDER BY cid", -1, &st,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return columns;
    }
    sqlite3_bind_text(st, 1, table.data(), int(table.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW)
        columns.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return columns;
}

std::optional<int64_t> SqliteConnection::ChangesByOthers() {
    requireOpen();
    sqlite3_stmt* st = nullptr;
    std::optional<int64_t> version;
    if (sqlite3_prepare_v2(db_, "PRAGMA data_version", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        version = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return version;
}

int64_t SqliteConnection::ReadRows(const Statement& statement,
                                   const std::function<bool(const RowView&)>& row) {
    requireOpen();
    Record(statement);
    int64_t n = 0;
    int rc;
    {
        Use use(*this, statement);
        StepRow view(use.get(), ColumnNames(use.get()));
        while ((rc = sqlite3_step(use.get())) == SQLITE_ROW) {
            ++n;
            if (!row(view)) {
                rc = SQLITE_DONE;
                break;
            }
        }
    }
    if (rc != SQLITE_DONE) fail(rc, "");
    return n;
}

}  // namespace ctl::db
