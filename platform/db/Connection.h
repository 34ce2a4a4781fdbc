#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/RecordSet.h"
#include "platform/db/RowView.h"
#include "platform/db/Statement.h"

namespace ctl::db {

enum ConnectionState : int { StateClosed = 0, StateOpen = 1 };

// A connection to one database, provider-neutral. Operations raise RaisedError (number and
// description, DbErrors.h) when they fail. Transactions nest: a transaction begun inside
// another commits into it or rolls back only its own work. A statement that fails inside a
// transaction fails alone (the transaction keeps its earlier work and its locks), unless the
// engine itself ended the transaction (a full disk, a lost connection): TransactionLevel() is
// then 0 after the failure, and nothing runs inside the ended transaction any more.
class Connection {
  public:
    virtual ~Connection() = default;

    virtual void Open(const std::string& connectionString, const std::string& user = "",
                      const std::string& password = "") = 0;
    virtual int State() const = 0;
    virtual void Close() = 0;
    // "sqlite" or "postgresql": for the few tools that read the engine's own catalogue.
    virtual std::string Provider() const = 0;

    // Returns the nesting level of the new transaction (1 for the outermost).
    virtual int BeginTrans() = 0;
    // Begins a transaction that holds off every other connection's transaction begun for the
    // same key until it ends, waiting a little for one that holds it (then raising errDbBusy).
    // Queries inside it see everything the others committed before. On a server the lock is
    // the key's alone; on a file it is the file's write lock.
    virtual int BeginTransFor(const std::string& key) = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual int TransactionLevel() const = 0;

    // Runs a statement that returns no rows; returns how many rows it changed.
    virtual int64_t Execute(const Statement& statement) = 0;
    // Runs a query and fetches all its rows (client-side static cursor, read-only).
    virtual RecordSet OpenRecordSet(const Statement& statement) = 0;
    // The column names of a table in their order, read from the engine's catalogue without a
    // traced statement; empty when the table does not exist or the provider cannot tell.
    virtual std::vector<std::string> ColumnsOf(const std::string& /*table*/) { return {}; }
    // A number that changes whenever another connection commits a change to the data, asked
    // without a traced statement; none when the provider cannot tell. Changes made through
    // this connection leave it as it is.
    virtual std::optional<int64_t> ChangesByOthers() { return std::nullopt; }
    // Whether a failed statement inside a transaction fails alone (the default). Callers whose
    // transactions are all or nothing (they roll back at the first failure) may turn it off:
    // an engine may then end the transaction at a failure, and sends less per statement.
    virtual void setStatementsFailAlone(bool /*on*/) {}
    // How long one statement may run on a server (and so how long the client waits for an
    // answer) before it fails: a few seconds unless a caller that reads or writes whole stores
    // asks for longer. Files ignore it.
    virtual void setStatementTimeout(int /*ms*/) {}
    // Runs a query and hands its rows over one by one, in order, keeping none of them: for
    // long reads walked once. `row` returns false to stop early. Returns how many rows were
    // handed over. `row` may run other statements on this connection, the same one included.
    virtual int64_t ReadRows(const Statement& statement,
                             const std::function<bool(const RowView&)>& row);

    // The texts of the last statements sent, oldest first (at most TraceCapacity of them).
    std::vector<std::string> Trace() const;
    void ClearTrace();
    // A query the caller answered from rows it kept (nothing changed since they were read)
    // stands in the trace as asked, as it would had it been sent.
    void RecordAnswered(const Statement& statement) { Record(statement); }
    void setTraceCapacity(size_t n);
    size_t TraceCapacity() const { return capacity_; }

  protected:
    // Providers record every statement they send, before sending it.
    void Record(const Statement& statement);

  private:
    std::vector<Statement> ring_;
    size_t next_ = 0, count_ = 0, capacity_ = 256;
};

// A connection of the provider the connection string names ("provider=sqlite" or none: SQLite;
// "provider=postgresql;" followed by a libpq string, or a libpq URI alone: PostgreSQL), not
// yet open. Raises errDbNoProvider for a provider this build does not have.
std::unique_ptr<Connection> CreateConnection(const std::string& connectionString);

}  // namespace ctl::db
