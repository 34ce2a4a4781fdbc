#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/db/Connection.h"

struct pg_conn;

namespace ctl::db {

// The PostgreSQL provider. Its connection string is "provider=postgresql;" followed by a
// libpq connection URI or key=value string, taken verbatim (or such a string alone, see
// IsServerAddress). Secrets come the usual libpq ways (password file, environment); whatever
// the string holds, messages name the server, database and user, never the password.
// Statements are prepared once per template text ("?" marks become $1, $2 ...) and run with
// their values bound, as text that reads back exactly.
//
// A statement that fails inside a transaction fails alone, as on the file provider: the
// server would refuse everything until the transaction ends, so the provider rolls back and
// sends the transaction's earlier writes again (they are kept until it ends, up to a limit
// far above a drawn track's points).
class PostgresConnection : public Connection {
  public:
    PostgresConnection() = default;
    ~PostgresConnection() override;

    void Open(const std::string& connectionString, const std::string& user = "",
              const std::string& password = "") override;
    int State() const override;
    void Close() override;
    std::string Provider() const override { return "postgresql"; }

    int BeginTrans() override;
    int BeginTransFor(const std::string& key) override;
    void CommitTrans() override;
    void RollbackTrans() override;
    int TransactionLevel() const override { return level_; }

    void Execute(const Statement& statement) override;
    RecordSet OpenRecordSet(const Statement& statement) override;
    int64_t ReadRows(const Statement& statement,
                     const std::function<bool(const RowView&)>& row) override;

    // Server, port, database and user of the open connection (no password), for messages.
    const std::string& ServerName() const { return server_; }
    // How long the first statement of a locked transaction waits for another user's lock.
    static constexpr int kLockWaitMs = 2000;

  private:
    struct Result;
    void requireOpen() const;
    Result send(const Statement& statement, bool journal);
    Result sendOnce(const Statement& statement);
    void run(const std::string& sql);
    void replay();
    void forgetJournal();

    pg_conn* conn_ = nullptr;
    std::string server_;
    int level_ = 0;
    std::map<std::string, std::string> names_;  // template text -> prepared statement name
    // What the open transaction changed so far, to send again after a failed statement; a
    // transaction larger than kJournalLimit statements is not kept (a failure then ends it).
    static constexpr size_t kJournalLimit = 200000;
    std::vector<Statement> journal_;
    bool journalFull_ = false;
    bool replaying_ = false;
    std::vector<std::string> texts_;  // the values of the statement being sent, as text
    std::vector<const char*> values_;
};

// True for a libpq connection URI ("postgresql://..." or "postgres://...") or key=value
// string ("host=... dbname=..."), and for "provider=postgresql;..." strings.
bool IsServerAddress(const std::string& text);
// The connection string of CreateConnection for such a text.
std::string ServerConnectionString(const std::string& text);
// "server HOST:PORT, database DB, user U" of a libpq string, without its password (a string
// libpq cannot read is not shown at all: it might hold one).
std::string DescribeServer(const std::string& libpqText);

}  // namespace ctl::db
