#pragma once
#include <map>
#include <string>

#include "platform/db/Connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ctl::db {

// The SQLite provider. "data source" names the database file; when no file has that exact
// name, a file in the same folder whose name differs only in case is used, so stores named
// "Mappa.mdb" or "MAPPA.MDB" open as "mappa.mdb". The file must exist and be an SQLite
// database (only "create=yes" in the connection string makes a new empty one); a file without
// any write permission bit opens read-only. Statements are prepared once per template text and run
// with bound values. OpenFile takes the file's path as it is (any character a file name may
// hold); Open reads it from a connection string's "data source".
class SqliteConnection : public Connection {
  public:
    SqliteConnection() = default;
    ~SqliteConnection() override;

    void Open(const std::string& connectionString, const std::string& user = "",
              const std::string& password = "") override;
    // The store file at `path`; with `create` an absent file is made (empty).
    void OpenFile(const std::string& path, bool create = false);
    int State() const override { return db_ ? StateOpen : StateClosed; }
    void Close() override;
    std::string Provider() const override { return "sqlite"; }

    int BeginTrans() override;
    // The file's write lock is taken at once (an outermost transaction only; one inside
    // another takes it with its first write).
    int BeginTransFor(const std::string& key) override;
    void CommitTrans() override;
    void RollbackTrans() override;
    int TransactionLevel() const override { return level_; }

    int64_t Execute(const Statement& statement) override;
    RecordSet OpenRecordSet(const Statement& statement) override;
    std::vector<std::string> ColumnsOf(const std::string& table) override;
    std::optional<int64_t> ChangesByOthers() override;
    int64_t ReadRows(const Statement& statement,
                     const std::function<bool(const RowView&)>& row) override;

    // The file actually opened.
    const std::string& Path() const { return path_; }
    // How long a statement waits for another process's lock before failing.
    static constexpr int kBusyTimeoutMs = 250;
    // How long a commit waits for other processes' readers.
    static constexpr int kCommitBusyTimeoutMs = 5000;

  private:
    void requireOpen() const;
    class Use;
    sqlite3_stmt* prepared(const Statement& statement);
    sqlite3_stmt* fresh(const Statement& statement);
    void bind(sqlite3_stmt* st, const Statement& statement);
    [[noreturn]] void fail(int code, const std::string& what);
    void run(const char* sql);

    sqlite3* db_ = nullptr;
    std::string path_;
    int level_ = 0;
    std::map<std::string, sqlite3_stmt*> cache_;
};

// The path of an existing file: `path` itself, or a file of its folder whose name matches
// without regard to case (the exact name wins; among several others the first in name order).
// Empty when there is none.
std::string FindFileNoCase(const std::string& path);

}  // namespace ctl::db
