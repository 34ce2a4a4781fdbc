#pragma once
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "platform/db/Connection.h"

struct pg_conn;
struct pg_result;

namespace ctl::db {

// The PostgreSQL provider. Its connection string is "provider=postgresql;" followed by a
// libpq connection URI or key=value string, taken verbatim (or such a string alone, see
// IsServerAddress). Secrets come the usual libpq ways (password file, environment); whatever
// the string holds, messages name the server, database and user, never the password.
// Statements are prepared once per template text ("?" marks become $1, $2 ...) and run with
// their values bound, as text that reads back exactly.
//
// A statement that fails inside a transaction fails alone, as on the file provider: inside a
// transaction every statement runs under a savepoint of its own, rolled back to when the
// statement fails, so the transaction and its locks stay as they were (nothing is redone).
// Callers whose transactions are all or nothing can turn that off (StatementsFailAlone).
//
// Every wait for the server is bounded: the server cancels a statement that runs longer than
// kStatementTimeoutMs, and the client gives the connection up when no answer at all comes
// within kAnswerWaitMs (a server that stopped, a link that dropped; TCP keepalives notice an
// idle link that died). A connection given up, or lost, raises errDbCannotOpen and is closed:
// State() says so, and the caller may open it again. When a failure ended the server's
// transaction, TransactionLevel() is 0 afterwards.
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

    int64_t Execute(const Statement& statement) override;
    RecordSet OpenRecordSet(const Statement& statement) override;
    int64_t ReadRows(const Statement& statement,
                     const std::function<bool(const RowView&)>& row) override;
    std::vector<std::string> ColumnsOf(const std::string& table) override;
    void setStatementsFailAlone(bool on) override { failAlone_ = on; }
    void setStatementTimeout(int ms) override;

    // Server, port, database and user of the open connection (no password), for messages.
    const std::string& ServerName() const { return server_; }
    // How long the first statement of a locked transaction waits for another user's lock.
    static constexpr int kLockWaitMs = 2000;
    // How long the server lets one statement run, and how long the client waits for any
    // answer before it gives the connection up; how long connecting may take.
    static constexpr int kStatementTimeoutMs = 5000;
    static constexpr int kAnswerWaitMs = 8000;
    static constexpr int kConnectTimeoutS = 5;

  private:
    struct Result;
    void requireOpen() const;
    Result send(const Statement& statement);
    Result sendOnce(const Statement& statement);
    Result sendGuarded(const Statement& statement);
    // The server's name of the statement, prepared on first use; null with the server's
    // refusal in `refused`.
    const std::string* prepared(const Statement& statement, Result& refused);
    bool sendPrepared(const std::string& name, const Statement& statement);
    Result command(const std::string& sql);
    // Waits until a result can be read without blocking, within the answer bound (then the
    // connection is given up); false when the link ended.
    bool awaitResult(std::chrono::steady_clock::time_point deadline);
    // Of the results of one query, the first failure is kept, else the last.
    static void keepResult(Result& kept, pg_result* r);
    Result collect();
    std::vector<Result> collectPipeline(int queries);
    void guardNext();
    [[noreturn]] void failed(const Result& r, const std::string& context = "");
    [[noreturn]] void giveUp(const std::string& why);
    void drop();

    pg_conn* conn_ = nullptr;
    std::string server_;
    int level_ = 0;
    bool failAlone_ = true;
    int statementTimeoutMs_ = kStatementTimeoutMs;
    int answerWaitMs_ = kAnswerWaitMs;
    bool guardOpen_ = false;  // the statement savepoint of the open transaction exists
    bool lost_ = false;       // the connection was lost or given up (not closed by the caller)
    std::string lostWhy_;
    std::map<std::string, std::string> names_;  // template text -> prepared statement name
    std::vector<std::string> texts_;            // the values of the statement being sent, as text
    std::vector<const char*> values_;
};

// True for a libpq connection URI ("postgresql://..." or "postgres://...") or key=value
// string ("host=... dbname=...", its first key one that libpq knows: such a string counts as
// a server's even when libpq cannot read the rest, so that it is never shown as a path), and
// for "provider=postgresql;..." strings.
bool IsServerAddress(const std::string& text);
// The connection string of CreateConnection for such a text.
std::string ServerConnectionString(const std::string& text);
// "server HOST:PORT, database DB, user U" of a libpq string, without its password (a string
// libpq cannot read is not shown at all: it might hold one).
std::string DescribeServer(const std::string& libpqText);
// True when libpq can read the string (a URI whose escapes are right, quotes that close...).
bool ServerStringReadable(const std::string& libpqText);
// `text` with every secret of the libpq string (its password, and the string itself) cut out.
std::string WithoutSecrets(std::string text, const std::string& libpqText);

}  // namespace ctl::db
