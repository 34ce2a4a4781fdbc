#include "platform/db/PostgresConnection.h"

#include <libpq-fe.h>
#include <poll.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
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
    bool ok() const { return Ok(r); }
    static bool Ok(const PGresult* p) {
        const ExecStatusType s = PQresultStatus(p);
        return p && (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK);
    }
    const char* state() const { return r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr; }
    std::string message() const {
        const char* primary = r ? PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        return OneLine(primary ? primary : PQresultErrorMessage(r));
    }
};

namespace {
// The keywords libpq knows ("host", "dbname", "password" ...).
bool IsLibpqKeyword(const std::string& key) {
    PQconninfoOption* defaults = PQconndefaults();
    bool found = false;
    for (PQconninfoOption* o = defaults; o && o->keyword && !found; ++o) found = key == o->keyword;
    PQconninfoFree(defaults);
    return found;
}

// The first key of a key=value string, "" when the text does not begin like one.
std::string FirstKey(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const size_t start = i;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        ++i;
    const std::string key = text.substr(start, i - start);
    while (i < text.size() && text[i] == ' ') ++i;
    return i < text.size() && text[i] == '=' ? key : std::string();
}

// The parsed options of a libpq string, or null when libpq cannot read it (its error text is
// dropped: it quotes the string).
PQconninfoOption* Parse(const std::string& libpqText) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(libpqText.c_str(), &error);
    PQfreemem(error);
    return options;
}

void SilentNotice(void*, const char*) {}

constexpr const char kGuard[] = "ctl_statement";
}  // namespace

bool IsServerAddress(const std::string& text) {
    if (StartsWithNoCase(text, kPrefix) || StartsWithNoCase(text, "postgresql://") ||
        StartsWithNoCase(text, "postgres://"))
        return true;
    // A key=value string with keys libpq knows ("data source=..." is not one of them). One
    // that libpq cannot read to its end still is a server's: shown as a path, it would show
    // its password.
    if (text.find('=') == std::string::npos) return false;
    if (PQconninfoOption* options = Parse(text)) {
        PQconninfoFree(options);
        return true;
    }
    const std::string key = FirstKey(text);
    return !key.empty() && IsLibpqKeyword(key);
}

std::string ServerConnectionString(const std::string& text) {
    return StartsWithNoCase(text, kPrefix) ? text : kPrefix + text;
}

bool ServerStringReadable(const std::string& libpqText) {
    PQconninfoOption* options = Parse(LibpqText(libpqText));
    if (!options) return false;
    PQconninfoFree(options);
    return true;
}

std::string DescribeServer(const std::string& libpqText) {
    PQconninfoOption* options = Parse(LibpqText(libpqText));
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

std::string WithoutSecrets(std::string text, const std::string& libpqText) {
    auto cut = [&text](const std::string& secret) {
        if (secret.size() < 2) return;
        for (size_t at; (at = text.find(secret)) != std::string::npos;)
            text.replace(at, secret.size(), "(not shown)");
    };
    const std::string raw = LibpqText(libpqText);
    cut(raw);
    if (PQconninfoOption* options = Parse(raw)) {
        for (PQconninfoOption* o = options; o->keyword; ++o)
            if (o->val && std::strcmp(o->keyword, "password") == 0) cut(o->val);
        PQconninfoFree(options);
    }
    // A URI's user:password part, as written (escapes and all).
    const size_t scheme = raw.find("://");
    if (scheme != std::string::npos) {
        const size_t at = raw.find('@', scheme + 3), colon = raw.find(':', scheme + 3);
        if (at != std::string::npos && colon != std::string::npos && colon < at)
            cut(raw.substr(colon + 1, at - colon - 1));
    }
    return text;
}

void PostgresConnection::setStatementTimeout(int ms) {
    statementTimeoutMs_ = std::max(ms, 1);
    // The server's own cancel comes first; the client gives up a little later.
    answerWaitMs_ = statementTimeoutMs_ + (kAnswerWaitMs - kStatementTimeoutMs);
    if (!conn_) return;
    Result r = command("SET statement_timeout = " + std::to_string(statementTimeoutMs_));
    if (!r.ok()) failed(r);
}

PostgresConnection::~PostgresConnection() {
    Close();
}

int PostgresConnection::State() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK ? StateOpen : StateClosed;
}

void PostgresConnection::requireOpen() const {
    if (conn_) return;
    if (lost_) Raise(errDbCannotOpen, lostWhy_);
    Raise(errDbUsage, "The connection is closed");
}

void PostgresConnection::Open(const std::string& connectionString, const std::string& user,
                              const std::string& password) {
    if (conn_) Raise(errDbUsage, "The connection is already open");
    const std::string text = LibpqText(connectionString);
    // libpq's own words about a string it cannot read quote the string, password and all.
    if (!ServerStringReadable(text))
        Raise(errDbCannotOpen,
              "The connection string of the database server cannot be read (a URI or a percent "
              "escape that is not right, or a quote left open); it is not shown, as it may hold "
              "a password");
    server_ = DescribeServer(text);
    // A server that does not answer must not hold the control: a bounded connect, and TCP
    // keepalives that notice a dead link within seconds. The string's own settings come
    // later, so they win.
    const std::string connect = std::to_string(kConnectTimeoutS);
    const std::string userTimeout = std::to_string(kAnswerWaitMs);
    std::vector<const char*> keys = {
        "connect_timeout",     "fallback_application_name", "keepalives",       "keepalives_idle",
        "keepalives_interval", "keepalives_count",          "tcp_user_timeout", "dbname"};
    std::vector<const char*> values = {connect.c_str(),     "karvex",    "1", "5", "2", "2",
                                       userTimeout.c_str(), text.c_str()};
    if (!user.empty()) keys.push_back("user"), values.push_back(user.c_str());
    if (!password.empty()) keys.push_back("password"), values.push_back(password.c_str());
    keys.push_back(nullptr);
    values.push_back(nullptr);
    conn_ = PQconnectdbParams(keys.data(), values.data(), 1);
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        std::string why = conn_ ? OneLine(PQerrorMessage(conn_)) : "out of memory";
        PQfinish(conn_);
        conn_ = nullptr;
        why = WithoutSecrets(why, text);
        if (!password.empty()) why = WithoutSecrets(why, "password='x' dbname=" + password);
        Raise(errDbCannotOpen, "Cannot connect to the database " + server_ + ": " + why);
    }
    // The server's notices ("... already exists, skipping") are not the program's output.
    PQsetNoticeProcessor(conn_, SilentNotice, nullptr);
    PQsetClientEncoding(conn_, "UTF8");
    level_ = 0;
    guardOpen_ = false;
    lost_ = false;
    names_.clear();
    try {
        Result r = command("SET statement_timeout = " + std::to_string(statementTimeoutMs_));
        if (!r.ok()) failed(r);
    } catch (...) {
        drop();
        lost_ = false;
        throw;
    }
}

void PostgresConnection::Close() {
    if (!conn_) {
        lost_ = false;
        return;
    }
    // Ending the session rolls an open transaction back, as the file provider does.
    PQfinish(conn_);
    conn_ = nullptr;
    level_ = 0;
    guardOpen_ = false;
    lost_ = false;
    names_.clear();
}

void PostgresConnection::drop() {
    if (conn_) PQfinish(conn_);
    conn_ = nullptr;
    level_ = 0;
    guardOpen_ = false;
    lost_ = true;
    names_.clear();
}

void PostgresConnection::giveUp(const std::string& why) {
    lostWhy_ = why;
    drop();
    Raise(errDbCannotOpen, why);
}

bool PostgresConnection::awaitResult(std::chrono::steady_clock::time_point deadline) {
    using Clock = std::chrono::steady_clock;
    while (PQisBusy(conn_)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            giveUp("The database " + server_ + " did not answer within " +
                   std::to_string(answerWaitMs_ / 1000) + " s: the connection was given up");
        pollfd p{PQsocket(conn_), POLLIN, 0};
        const int n = ::poll(&p, 1, int(left));
        if (n < 0 && errno != EINTR)
            giveUp("The connection to the database " + server_ + " was lost");
        // The link ended: the caller finds the connection bad.
        if (n > 0 && !PQconsumeInput(conn_)) return false;
    }
    return true;
}

void PostgresConnection::keepResult(Result& kept, pg_result* r) {
    if (!kept.r || (kept.ok() && !Result::Ok(r)))
        kept = Result(r);
    else
        PQclear(r);
}

PostgresConnection::Result PostgresConnection::collect() {
    // Every result of what was sent, within the time bound.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(answerWaitMs_);
    Result kept(nullptr);
    for (;;) {
        if (!awaitResult(deadline)) return Result(nullptr);
        PGresult* r = PQgetResult(conn_);
        if (!r) break;
        keepResult(kept, r);
        if (PQstatus(conn_) != CONNECTION_OK) break;
    }
    return kept;
}

std::vector<PostgresConnection::Result> PostgresConnection::collectPipeline(int queries) {
    // Each query's results end with a null one; the synchronisation point comes last. Nothing
    // at all for a lost link.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(answerWaitMs_);
    std::vector<Result> answers;
    answers.reserve(size_t(queries));
    auto next = [&](PGresult*& out) {
        if (!awaitResult(deadline)) return false;
        out = PQgetResult(conn_);
        return PQstatus(conn_) == CONNECTION_OK;
    };
    for (int q = 0; q < queries; ++q) {
        Result kept(nullptr);
        PGresult* r = nullptr;
        for (;;) {
            if (!next(r)) {
                PQclear(r);
                return {};
            }
            if (!r) break;
            keepResult(kept, r);
        }
        answers.push_back(std::move(kept));
    }
    PGresult* sync = nullptr;
    if (!next(sync) || PQresultStatus(sync) != PGRES_PIPELINE_SYNC) {
        PQclear(sync);
        return {};
    }
    PQclear(sync);
    return answers;
}

PostgresConnection::Result PostgresConnection::command(const std::string& sql) {
    if (!PQsendQuery(conn_, sql.c_str())) return Result(nullptr);
    return collect();
}

void PostgresConnection::failed(const Result& r, const std::string& context) {
    // No result at all: what was sent did not get through, or no answer came back.
    if (!conn_ || !r.r || PQstatus(conn_) != CONNECTION_OK) {
        std::string why = r.r ? r.message() : OneLine(conn_ ? PQerrorMessage(conn_) : "");
        giveUp("The connection to the database " + server_ + " was lost" +
               (why.empty() ? "" : ": " + why) +
               (level_ > 0 ? " (the open transaction was lost with it)" : ""));
    }
    const int32_t number = NumberFor(r.state());
    std::string message = r.r ? r.message() : OneLine(PQerrorMessage(conn_));
    if (!context.empty()) message = context + ": " + message;
    if (level_ > 0 && PQtransactionStatus(conn_) == PQTRANS_IDLE) {
        // The server ended the transaction (it refused its commit, or ended it itself).
        level_ = 0;
        guardOpen_ = false;
        message += " (the server ended the open transaction)";
    }
    Raise(number, message);
}

void PostgresConnection::guardNext() {
    // One savepoint for the statement about to run: the previous one is released in the same
    // round trip, so a transaction holds at most one at a time.
    Result g =
        command(guardOpen_ ? std::string("RELEASE SAVEPOINT ") + kGuard + "; SAVEPOINT " + kGuard
                           : std::string("SAVEPOINT ") + kGuard);
    if (!g.ok()) {
        guardOpen_ = false;
        failed(g);
    }
    guardOpen_ = true;
}

const std::string* PostgresConnection::prepared(const Statement& statement, Result& refused) {
    // Preparing is part of sending: a statement the server refuses fails here.
    auto it = names_.find(statement.sql);
    if (it != names_.end()) return &it->second;
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
    if (!PQsendPrepare(conn_, name.c_str(), sql.c_str(), n, nullptr)) {
        refused = Result(nullptr);
        return nullptr;
    }
    refused = collect();
    if (!refused.ok()) return nullptr;
    return &names_.emplace(statement.sql, name).first->second;
}

bool PostgresConnection::sendPrepared(const std::string& name, const Statement& statement) {
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
    return PQsendQueryPrepared(conn_, name.c_str(), int(n), values_.data(), nullptr, nullptr, 0);
}

PostgresConnection::Result PostgresConnection::sendOnce(const Statement& statement) {
    Result refused(nullptr);
    const std::string* name = prepared(statement, refused);
    if (!name) return refused;
    if (!sendPrepared(*name, statement)) return Result(nullptr);
    return collect();
}

PostgresConnection::Result PostgresConnection::sendGuarded(const Statement& statement) {
    // A statement seen for the first time is prepared under its savepoint (a refused
    // preparation ends the transaction's good state too), one round trip at a time.
    auto known = names_.find(statement.sql);
    if (known == names_.end() || !PQenterPipelineMode(conn_)) {
        guardNext();
        return sendOnce(statement);
    }
    const std::string name = known->second;
    // The statement's savepoint (the previous one released) and the statement itself go in
    // one round trip: the server runs them in order and answers them together.
    int queries = 0;
    bool sent = true;
    auto plain = [&](const std::string& sql) {
        sent =
            sent && PQsendQueryParams(conn_, sql.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0);
        ++queries;
    };
    if (guardOpen_) plain(std::string("RELEASE SAVEPOINT ") + kGuard);
    plain(std::string("SAVEPOINT ") + kGuard);
    sent = sent && sendPrepared(name, statement);
    ++queries;
    sent = sent && PQpipelineSync(conn_);
    std::vector<Result> answers;
    if (sent) answers = collectPipeline(queries);
    PQexitPipelineMode(conn_);
    if (answers.size() != size_t(queries)) {
        guardOpen_ = false;
        return Result(nullptr);
    }
    for (int i = 0; i + 1 < queries; ++i)
        if (!answers[size_t(i)].ok()) {
            guardOpen_ = false;
            failed(answers[size_t(i)]);
        }
    guardOpen_ = true;
    return std::move(answers.back());
}

PostgresConnection::Result PostgresConnection::send(const Statement& statement) {
    requireOpen();
    Record(statement);
    const bool guarded = level_ > 0 && failAlone_;
    Result r = guarded ? sendGuarded(statement) : sendOnce(statement);
    if (r.ok()) return r;
    if (guarded && guardOpen_ && PQstatus(conn_) == CONNECTION_OK &&
        PQtransactionStatus(conn_) == PQTRANS_INERROR) {
        // Back to before the statement: the transaction, its work and its locks stay.
        Result back = command(std::string("ROLLBACK TO SAVEPOINT ") + kGuard);
        if (!back.ok()) guardOpen_ = false;
    }
    failed(r);
}

int PostgresConnection::BeginTrans() {
    requireOpen();
    if (level_ == 0) {
        Record(Statement("BEGIN"));
        Result r = command("BEGIN");
        if (!r.ok()) failed(r);
        guardOpen_ = false;
    } else {
        // A savepoint made after the statement savepoint would go with it when that one is
        // released: release it first.
        const std::string name = "level" + std::to_string(level_ + 1);
        Record(Statement("SAVEPOINT " + name));
        Result r = command((guardOpen_ ? std::string("RELEASE SAVEPOINT ") + kGuard + "; " : "") +
                           "SAVEPOINT " + name);
        guardOpen_ = false;
        if (!r.ok()) failed(r);
    }
    return ++level_;
}

int PostgresConnection::BeginTransFor(const std::string& key) {
    const int level = BeginTrans();
    try {
        send(Statement("SET LOCAL lock_timeout = " + std::to_string(kLockWaitMs)));
        send(Statement("SELECT pg_advisory_xact_lock(hashtextextended(?, 0))", {key}));
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
        Result r = command("COMMIT");
        if (!r.ok() || PQtransactionStatus(conn_) != PQTRANS_IDLE) {
            if (!r.ok()) failed(r);
            Raise(errDbServer, "The database " + server_ + " did not commit the transaction");
        }
        // A failed transaction's COMMIT answers ROLLBACK, without an error.
        const char* tag = PQcmdStatus(r.r);
        level_ = 0;
        guardOpen_ = false;
        if (tag && std::strcmp(tag, "ROLLBACK") == 0)
            Raise(errDbServer, "The database " + server_ + " rolled the transaction back");
        return;
    }
    const std::string name = "level" + std::to_string(level_);
    Record(Statement("RELEASE level" + std::to_string(level_)));
    Result r = command((guardOpen_ ? std::string("RELEASE SAVEPOINT ") + kGuard + "; " : "") +
                       "RELEASE " + name);
    guardOpen_ = false;
    if (!r.ok()) failed(r);
    --level_;
}

void PostgresConnection::RollbackTrans() {
    requireOpen();
    if (level_ == 0) Raise(errDbUsage, "No transaction is open");
    if (level_ == 1) {
        Record(Statement("ROLLBACK"));
        Result r = command("ROLLBACK");
        level_ = 0;
        guardOpen_ = false;
        if (!r.ok()) failed(r);
        return;
    }
    const std::string name = "level" + std::to_string(level_);
    Record(Statement("ROLLBACK TO " + name));
    Record(Statement("RELEASE " + name));
    Result r = command("ROLLBACK TO " + name + "; RELEASE " + name);
    guardOpen_ = false;
    if (!r.ok()) failed(r);
    --level_;
}

int64_t PostgresConnection::Execute(const Statement& statement) {
    Result r = send(statement);
    const char* n = PQcmdTuples(r.r);
    return n && *n ? std::strtoll(n, nullptr, 10) : 0;
}

RecordSet PostgresConnection::OpenRecordSet(const Statement& statement) {
    Result r = send(statement);
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

std::vector<std::string> PostgresConnection::ColumnsOf(const std::string& table) {
    requireOpen();
    // Not traced: the catalogue is read as the statements' own preparation would.
    const bool guarded = level_ > 0 && failAlone_;
    if (guarded) guardNext();
    const char* value = table.c_str();
    std::vector<std::string> columns;
    if (!PQsendQueryParams(conn_,
                           "SELECT a.attname FROM pg_attribute a WHERE a.attrelid = "
                           "to_regclass(lower($1)) AND a.attnum > 0 AND NOT a.attisdropped "
                           "ORDER BY a.attnum",
                           1, nullptr, &value, nullptr, nullptr, 0))
        failed(Result(nullptr));
    Result r = collect();
    if (!r.ok()) {
        if (guarded && PQstatus(conn_) == CONNECTION_OK &&
            PQtransactionStatus(conn_) == PQTRANS_INERROR)
            command(std::string("ROLLBACK TO SAVEPOINT ") + kGuard);
        return columns;
    }
    for (int i = 0; i < PQntuples(r.r); ++i) columns.emplace_back(PQgetvalue(r.r, i, 0));
    return columns;
}

int64_t PostgresConnection::ReadRows(const Statement& statement,
                                     const std::function<bool(const RowView&)>& row) {
    // The server's result holds every row already: they are handed over from it directly,
    // and `row` may send other statements meanwhile.
    Result r = send(statement);
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
