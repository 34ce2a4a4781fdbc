#include "chart/map/TrackStore.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

#include "platform/com/RaisedError.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbErrors.h"
#include "platform/db/PostgresConnection.h"
#include "platform/db/SqliteConnection.h"
#include "platform/sys/Text.h"

namespace karvex {

using ctl::db::RecordSet;
using ctl::db::Statement;
using ctl::db::Value;

namespace {
// The statements, with "?" where the name or a number goes; their texts (Statement::Text) are
// the ones listed for the store, names quoted and numbers written with ".".
constexpr const char* kCountTracks = "SELECT DISTINCT tratto FROM MAPPA";
constexpr const char* kListTracks = "SELECT DISTINCT tratto FROM mappa ORDER BY tratto";
constexpr const char* kListOtherTracks =
    "SELECT DISTINCT tratto FROM mappa WHERE tratto <>? ORDER BY tratto";
constexpr const char* kBranchesOfNewTrack =
    "SELECT DISTINCT ramo FROM MAPPA WHERE tratto =? ORDER BY ramo";
constexpr const char* kLastOrdinal =
    "SELECT ordinale,X,Y FROM MAPPA WHERE tratto=? and ramo=? ORDER BY ordinale";
constexpr const char* kCountBranches =
    "SELECT DISTINCT ramo FROM MAPPA WHERE tratto=? ORDER BY ramo";
constexpr const char* kLoadBranch =
    "SELECT ordinale,X,Y FROM mappa WHERE tratto=? and ramo=? ORDER BY ordinale";
constexpr const char* kStorePoint = "INSERT INTO MAPPA VALUES (?,?,?,?,?)";
constexpr const char* kDeleteTrack = "DELETE FROM MAPPA WHERE tratto =?";

int16_t ToInt16(int64_t v) {
    if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        ctl::Raise(ctl::errOverflow);
    return int16_t(v);
}
// Said with a failure after which the points drawn so far are kept to be sent again.
constexpr const char* kKeptNote =
    "\r\rThe points of the new Track are kept: they are stored again with the next point or "
    "the commit.";

int32_t ToInt32(int64_t v) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        ctl::Raise(ctl::errOverflow);
    return int32_t(v);
}
}  // namespace

TrackStore::~TrackStore() {
    Close();
}

std::string TrackStore::FoldName(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string TrackStore::ConnectionStringFor(const std::string& appFolder) {
    // Any character a folder name may hold survives: the value is quoted, its quotes doubled.
    return "provider=sqlite;data source=" +
           ctl::db::ConnectionString::Quote(appFolder + "mappa.mdb") + ";";
}

std::string TrackStore::ChooseConnection(const std::string& appFolder) {
    const std::string conn = ctl::db::FindFileNoCase(appFolder + "mappa.conn");
    if (conn.empty()) return ConnectionStringFor(appFolder);
    return ctl::db::ServerConnectionString(ctl::db::ReadConnectionFile(conn));
}

void TrackStore::openConnection() {
    m_LastBranch.Forget();  // versions of one connection mean nothing to the next
    const std::string conn = ctl::db::FindFileNoCase(m_Folder + "mappa.conn");
    if (conn.empty()) {
        // The file by its path: never spliced into a connection string.
        auto c = std::make_unique<ctl::db::SqliteConnection>();
        c->OpenFile(m_Folder + "mappa.mdb");
        m_Connection = std::move(c);
        return;
    }
    const std::string cs = ctl::db::ServerConnectionString(ctl::db::ReadConnectionFile(conn));
    auto c = ctl::db::CreateConnection(cs);
    c->Open(cs, "", "");
    m_Connection = std::move(c);
}

void TrackStore::Open(const std::string& appFolder) {
    Close();
    m_OpenError.clear();
    m_Folder = appFolder;
    try {
        openConnection();
        m_WasOpen = true;
        if (onTracksChanged) onTracksChanged();
    } catch (const ctl::RaisedError& e) {
        m_OpenError = e.description();
        throw;
    }
}

bool TrackStore::IsOpen() const {
    return m_Connection && m_Connection->State() == ctl::db::StateOpen;
}

void TrackStore::Close() {
    m_LastBranch.Forget();  // another connection counts others' changes afresh
    if (m_Connection && m_Connection->State() == ctl::db::StateOpen) m_Connection->Close();
    const bool wasOpen = m_Connection != nullptr;
    m_Connection.reset();
    m_WasOpen = false;
    forgetNewTrack();
    if (wasOpen && onTracksChanged) onTracksChanged();
}

void TrackStore::forgetNewTrack() {
    m_NewTrackOpen = false;
    m_TxLost = false;
    m_CommitUnknown = false;
    m_TxLevel = 0;
    m_Kept.clear();
}

ctl::db::Connection& TrackStore::connection(bool insist) {
    if (IsOpen()) return *m_Connection;
    if (m_WasOpen) {
        // The connection was lost (or given up): open it again. An open new track's
        // transaction went with it; its points are kept and sent again. A store that could
        // not be reached is tried again only after a pause (each try may wait for the
        // network), except when the user commits.
        if (m_NewTrackOpen) m_TxLost = true;
        m_Connection.reset();
        const auto now = std::chrono::steady_clock::now();
        if (!insist && now < m_NextReopen)
            ctl::Raise(m_ReopenNumber, "The track store cannot be reached again: " + m_ReopenError);
        try {
            openConnection();
        } catch (const ctl::RaisedError& e) {
            m_Connection.reset();
            m_NextReopen = now + std::chrono::seconds(kReopenPauseS);
            m_ReopenNumber = e.number();
            m_ReopenError = e.description();
            ctl::Raise(e.number(), "The track store cannot be reached again: " + e.description());
        }
        return *m_Connection;
    }
    ctl::Raise(91, m_OpenError.empty() ? "The track store is not open."
                                       : "The track store is not open: " + m_OpenError);
}

bool TrackStore::transactionAlive() const {
    return m_NewTrackOpen && !m_TxLost && IsOpen() && m_TxLevel > 0 &&
           m_Connection->TransactionLevel() >= m_TxLevel;
}

std::vector<std::string> TrackStore::distinctNames(RecordSet& rs) {
    // One name per track, whatever the engine's DISTINCT folded, in the order of the names
    // folded A to Z (then as written): the same on a file and on a server.
    std::vector<std::pair<std::string, std::string>> named;  // folded, as written
    named.reserve(size_t(rs.RecordCount()));
    const size_t col = rs.ColumnIndex("tratto");
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::string name = rs.FieldAt(col).asText();
        named.emplace_back(FoldName(name), std::move(name));
    }
    rs.Close();
    std::stable_sort(named.begin(), named.end());
    std::vector<std::string> names;
    names.reserve(named.size());
    for (size_t i = 0; i < named.size(); ++i)
        if (i == 0 || named[i].first != named[i - 1].first) names.push_back(named[i].second);
    return names;
}

template <class Read>
auto TrackStore::reading(Read read) {
    // A read that finds the connection lost opens it again and reads once more: it changes
    // nothing, so nothing is done twice.
    try {
        return read(connection());
    } catch (const ctl::RaisedError&) {
        if (IsOpen() || !m_WasOpen) throw;
        return read(connection(true));
    }
}

std::vector<std::string> TrackStore::ListTrackNames() {
    RecordSet rs = reading([&](ctl::db::Connection& c) {
        return m_NewTrackOpen ? c.OpenRecordSet(Statement(kListOtherTracks, {m_NewTrackName}))
                              : c.OpenRecordSet(Statement(kListTracks));
    });
    return distinctNames(rs);
}

int32_t TrackStore::CountTracks() {
    RecordSet rs =
        reading([&](ctl::db::Connection& c) { return c.OpenRecordSet(Statement(kCountTracks)); });
    return ToInt32(int64_t(distinctNames(rs).size()));
}

int16_t TrackStore::CountBranches(const std::string& trackName) {
    RecordSet rs = reading([&](ctl::db::Connection& c) {
        return c.OpenRecordSet(Statement(kCountBranches, {trackName}));
    });
    int16_t n = 1;
    if (rs.RecordCount() >= 2) {
        rs.MoveLast();
        n = ToInt16(rs.RecordCount());
    }
    rs.Close();
    return n;
}

void TrackStore::LoadBranch(const std::string& trackName, int16_t branch, std::vector<double>& xs,
                            std::vector<double>& ys, const std::function<bool()>& keepGoing) {
    // The rows are walked once, in order, straight from the query, into the buffers the last
    // load handed back (a long track needs no fresh memory each time it is replayed); a load
    // started while another runs takes buffers of its own.
    std::vector<double> x, y;
    const bool reuse = !m_LoadBusy;
    if (reuse) {
        x.swap(m_SpareX);
        y.swap(m_SpareY);
        x.clear();
        y.clear();
        m_LoadBusy = true;
    }
    struct Release {
        TrackStore& s;
        bool reuse;
        ~Release() {
            if (reuse) s.m_LoadBusy = false;
        }
    } release{*this, reuse};
    const std::optional<KeptBranch::Version> version = StoreVersion();
    if (m_LastBranch.Holds(trackName, branch, version)) {
        // Nothing changed since this branch was read whole: its rows are handed over again
        // as the store would hand them (the statement is traced as asked), one by one.
        connection().RecordAnswered(Statement(kLoadBranch, {trackName, branch}));
        // A copy: code run between the rows may load another branch, which is kept instead.
        x.assign(m_LastBranch.x.begin(), m_LastBranch.x.end());
        y.assign(m_LastBranch.y.begin(), m_LastBranch.y.end());
        size_t handed = 0;
        while (handed < x.size()) {
            ++handed;
            if (keepGoing && !keepGoing()) break;
        }
        x.resize(handed);
        y.resize(handed);
    } else {
        size_t cx = 0, cy = 0;
        bool stopped = false;
        const int64_t count = reading([&](ctl::db::Connection& c) {
            x.clear();
            y.clear();
            stopped = false;
            return c.ReadRows(Statement(kLoadBranch, {trackName, branch}),
                              [&](const ctl::db::RowView& row) {
                                  if (x.empty()) {
                                      cx = row.ColumnIndex("X");
                                      cy = row.ColumnIndex("Y");
                                  }
                                  x.push_back(row.DoubleAt(cx));
                                  y.push_back(row.DoubleAt(cy));
                                  stopped = keepGoing && !keepGoing();
                                  return !stopped;
                              });
        });
        if (count == 0)
            ctl::Raise(ctl::errInvalidCall,
                       "Track name:  ''" + trackName + "''\r\rThis Track doesn't exist.");
        // Kept only when read whole, with nothing written meanwhile (by code run between rows).
        if (!stopped && version && StoreVersion() == version)
            m_LastBranch.Keep(trackName, branch, *version, x, y);
    }
    // Handed over at the end: code that runs while events are let through may reload the
    // caller's arrays meanwhile. Their old memory is kept for the next load.
    xs.swap(x);
    ys.swap(y);
    if (reuse) {
        m_SpareX.swap(x);
        m_SpareY.swap(y);
    }
}

std::optional<KeptBranch::Version> TrackStore::StoreVersion() {
    const std::optional<int64_t> byOthers = connection().ChangesByOthers();
    if (!byOthers) return std::nullopt;  // a server: others' changes cannot be told
    return KeptBranch::Version{*byOthers, m_OwnWrites};
}

void TrackStore::StartNewBranch(const std::string& newTrackName) {
    int16_t branch = 1;
    int32_t ordinal = 0;
    m_QueryError.clear();
    // A query that fails counts as one without rows (a first branch from ordinal 0); its
    // reason is kept for the caller, and the first insert then says what is wrong.
    try {
        reading([&](ctl::db::Connection& c) {
            branch = 1;
            ordinal = 0;
            RecordSet rs = c.OpenRecordSet(Statement(kBranchesOfNewTrack, {newTrackName}));
            if (rs.RecordCount() > 0) {
                rs.MoveLast();
                const int64_t highest = rs.Field("ramo").asInteger();
                const int16_t next = ToInt16(highest + 1);
                rs = c.OpenRecordSet(Statement(kLastOrdinal, {newTrackName, int16_t(next - 1)}));
                rs.MoveLast();
                ordinal = ToInt32(rs.Field("ordinale").asInteger());
                branch = next;
            }
            return 0;
        });
    } catch (const ctl::RaisedError& e) {
        if (e.number() != ctl::db::errDbStatement) throw;
        m_QueryError = e.description();
        ordinal = 0;
        branch = 1;
    }
    if (!m_NewTrackOpen) {
        m_Kept.clear();
        m_PointsTried = 0;
        m_LastPointError.clear();
    }
    m_NewTrackName = newTrackName;
    m_NewBranch = branch;
    m_PointOrdinal = ordinal;
}

bool TrackStore::ColumnsInOrder(ctl::db::Connection& c) {
    // The insert gives its values by position. An engine that stores any value in any column
    // would put a name among the ordinals of a table whose columns stand in another order.
    static const char* const kColumns[] = {"ordinale", "tratto", "ramo", "X", "Y"};
    const std::vector<std::string> columns = c.ColumnsOf("MAPPA");
    if (columns.empty()) return true;  // no such table, or the engine checks values itself
    bool fits = columns.size() == 5;
    for (size_t i = 0; fits && i < 5; ++i) fits = ctl::EqualsNoCase(columns[i], kColumns[i]);
    return fits;
}

void TrackStore::insertPoint(ctl::db::Connection& c, float x, float y) {
    if (m_Insert.sql.empty()) {
        m_Insert.sql = kStorePoint;
        m_Insert.params.resize(5);
    }
    m_Insert.params[0] = Value(m_PointOrdinal);
    m_Insert.params[1] = Value(m_NewTrackName);
    m_Insert.params[2] = Value(m_NewBranch);
    m_Insert.params[3] = Value::FromSingle(x);
    m_Insert.params[4] = Value::FromSingle(y);
    // Such a table refuses the point as one whose columns do not fit the values would.
    if (!m_ColumnsFit)
        ctl::Raise(ctl::db::errDbStatement,
                   "The table MAPPA does not have the columns ordinale, tratto, ramo, X, Y in "
                   "this order");
    changing();
    // A store that takes the statement and keeps nothing (a trigger, a rule, a view that
    // drops the row) has not stored the point either.
    if (c.Execute(m_Insert) != 1)
        ctl::Raise(ctl::db::errDbStatement,
                   "The table MAPPA did not keep the point (a trigger, a rule or a view of the "
                   "store dropped it)");
}

void TrackStore::beginNewTrack() {
    ctl::db::Connection& c = connection();
    changing();
    m_ColumnsFit = ColumnsInOrder(c);
    // Names compare without regard to case (A to Z), so the lock does too.
    m_TxLevel = c.BeginTransFor("tratto:" + FoldName(m_NewTrackName));
    try {
        // The branch is numbered from what is there now, under the lock: another user may
        // have stored the chosen branch meanwhile, or deleted the track.
        int16_t branch = 1;
        int32_t ordinal = 0;
        RecordSet rs = c.OpenRecordSet(Statement(kBranchesOfNewTrack, {m_NewTrackName}));
        if (rs.RecordCount() > 0) {
            rs.MoveLast();
            branch = ToInt16(rs.Field("ramo").asInteger() + 1);
            rs = c.OpenRecordSet(Statement(kLastOrdinal, {m_NewTrackName, int16_t(branch - 1)}));
            if (rs.RecordCount() > 0) {
                rs.MoveLast();
                ordinal = ToInt32(rs.Field("ordinale").asInteger());
            }
        }
        m_NewBranch = branch;
        m_PointOrdinal = ordinal;
        // The points of a transaction the engine ended go again, in their order.
        for (const auto& [x, y] : m_Kept) {
            if (m_PointOrdinal == std::numeric_limits<int32_t>::max()) ctl::Raise(ctl::errOverflow);
            ++m_PointOrdinal;
            insertPoint(c, x, y);
        }
    } catch (...) {
        try {
            if (c.State() == ctl::db::StateOpen && c.TransactionLevel() >= m_TxLevel)
                c.RollbackTrans();
        } catch (...) {
        }
        throw;
    }
    m_NewTrackOpen = true;
    m_TxLost = false;
}

void TrackStore::StorePoint(float x, float y) {
    if (!std::isfinite(x) || !std::isfinite(y)) ctl::Raise(ctl::errOverflow);
    ++m_PointsTried;
    try {
        try {
            connection();  // a lost connection is opened again first
        } catch (const ctl::RaisedError& e) {
            if (!m_NewTrackOpen) throw;
            m_TxLost = true;
            m_Kept.emplace_back(x, y);
            ctl::Raise(e.number(), e.description() + kKeptNote);
        }
        if (m_NewTrackOpen && !transactionAlive()) m_TxLost = true;
        if (!m_NewTrackOpen || m_TxLost) {
            try {
                beginNewTrack();
            } catch (const ctl::RaisedError& e) {
                // Kept points wait for the next try, and this one with them; a first point
                // that finds the track busy is simply not stored.
                if (!m_NewTrackOpen) throw;
                m_Kept.emplace_back(x, y);
                ctl::Raise(e.number(), e.description() + kKeptNote);
            }
        }
        if (m_PointOrdinal == std::numeric_limits<int32_t>::max()) ctl::Raise(ctl::errOverflow);
        ++m_PointOrdinal;
        try {
            insertPoint(*m_Connection, x, y);
        } catch (const ctl::RaisedError& e) {
            if (transactionAlive()) throw;  // the point alone was refused
            // The engine ended the transaction (a full disk, a lost connection): the point was
            // not refused for itself, and goes again with the others, at once if the store
            // takes them (a connection that came back), else with the next point or the commit.
            m_TxLost = true;
            m_Kept.emplace_back(x, y);
            try {
                beginNewTrack();
            } catch (const ctl::RaisedError&) {
                ctl::Raise(e.number(), e.description() + kKeptNote);
            }
            return;
        }
        m_Kept.emplace_back(x, y);
    } catch (const ctl::RaisedError& e) {
        m_LastPointError = e.description();
        throw;
    }
}

bool TrackStore::committedMeanwhile() {
    // The link went while the commit was on its way: the branch is there exactly as sent
    // when the commit was made.
    std::vector<double> xs, ys;
    try {
        LoadBranch(m_NewTrackName, m_NewBranch, xs, ys, nullptr);
    } catch (const ctl::RaisedError&) {
        return false;
    }
    if (xs.size() != m_Kept.size()) return false;
    for (size_t i = 0; i < xs.size(); ++i)
        if (float(xs[i]) != m_Kept[i].first || float(ys[i]) != m_Kept[i].second) return false;
    return true;
}

int64_t TrackStore::CommitNewTrack() {
    if (!m_NewTrackOpen) return 0;
    const int64_t points = int64_t(m_Kept.size());
    // A connection lost on the way is opened again once, at once: the user asked to commit.
    for (int attempt = 1;; ++attempt) {
        try {
            if (!IsOpen()) connection(true);
            if (m_CommitUnknown) {
                if (committedMeanwhile()) {
                    forgetNewTrack();
                    if (onTracksChanged) onTracksChanged();
                    return points;
                }
                m_CommitUnknown = false;
                m_TxLost = true;
            }
            if (!transactionAlive()) {
                if (m_Kept.empty()) {
                    // Nothing was stored: there is no track to commit, and no transaction left.
                    forgetNewTrack();
                    return 0;
                }
                // What the engine lost goes again, in one new transaction.
                beginNewTrack();
            }
            if (m_Kept.empty()) {
                // An open transaction that holds no point: ended without a track.
                try {
                    m_Connection->RollbackTrans();
                } catch (...) {
                }
                forgetNewTrack();
                return 0;
            }
            // A commit that fails leaves the track open, its points kept: nothing is lost and
            // the commit can be tried again (in a new transaction if the engine ended this one).
            try {
                changing();
                m_Connection->CommitTrans();
            } catch (const ctl::RaisedError&) {
                if (!transactionAlive()) {
                    m_TxLost = true;
                    // The link went with the commit on its way: it may have been made.
                    m_CommitUnknown = !IsOpen();
                }
                throw;
            }
            forgetNewTrack();
            if (onTracksChanged) onTracksChanged();
            return points;
        } catch (const ctl::RaisedError&) {
            if (attempt >= 2 || IsOpen() || !m_WasOpen) throw;
        }
    }
}

void TrackStore::RollBackNewTrack() {
    if (!m_NewTrackOpen) return;
    const bool alive = transactionAlive();
    forgetNewTrack();
    changing();
    // A transaction the engine already ended has nothing left to roll back.
    if (alive) m_Connection->RollbackTrans();
}

void TrackStore::DeleteTrack(const std::string& trackName) {
    ctl::db::Connection& c = connection();
    // The same lock as a new branch of the track takes: a branch being drawn is either
    // committed before the delete or numbered after it.
    changing();
    const int level = c.BeginTransFor("tratto:" + FoldName(trackName));
    try {
        c.Execute(Statement(kDeleteTrack, {trackName}));
        c.CommitTrans();
        if (onTracksChanged) onTracksChanged();
    } catch (...) {
        // Left open, the transaction would be applied by the next unrelated commit.
        try {
            if (c.State() == ctl::db::StateOpen && c.TransactionLevel() >= level) c.RollbackTrans();
        } catch (...) {
        }
        throw;
    }
}

std::vector<std::string> TrackStore::Trace() const {
    return m_Connection ? m_Connection->Trace() : std::vector<std::string>{};
}

}  // namespace karvex
