#include "chart/map/TrackStore.h"

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
int32_t ToInt32(int64_t v) {
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        ctl::Raise(ctl::errOverflow);
    return int32_t(v);
}
}  // namespace

TrackStore::~TrackStore() {
    Close();
}

std::string TrackStore::ConnectionStringFor(const std::string& appFolder) {
    std::string source = appFolder + "mappa.mdb";
    // A folder name holding ";" or a quote would end the value early: quote it.
    if (source.find_first_of(";\"") != std::string::npos) source = "\"" + source + "\"";
    return "provider=sqlite;data source=" + source + ";";
}

std::string TrackStore::ChooseConnection(const std::string& appFolder) {
    const std::string conn = ctl::db::FindFileNoCase(appFolder + "mappa.conn");
    if (conn.empty()) return ConnectionStringFor(appFolder);
    return ctl::db::ServerConnectionString(ctl::db::ReadConnectionFile(conn));
}

void TrackStore::Open(const std::string& appFolder) {
    Close();
    m_OpenError.clear();
    try {
        const std::string cs = ChooseConnection(appFolder);
        auto c = ctl::db::CreateConnection(cs);
        c->Open(cs, "", "");
        m_Connection = std::move(c);
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
    if (m_Connection && m_Connection->State() == ctl::db::StateOpen) m_Connection->Close();
    const bool wasOpen = m_Connection != nullptr;
    m_Connection.reset();
    m_NewTrackOpen = false;
    if (wasOpen && onTracksChanged) onTracksChanged();
}

ctl::db::Connection& TrackStore::connection() {
    if (!IsOpen())
        ctl::Raise(91, m_OpenError.empty() ? "The track store is not open."
                                           : "The track store is not open: " + m_OpenError);
    return *m_Connection;
}

std::vector<std::string> TrackStore::ListTrackNames() {
    RecordSet rs = m_NewTrackOpen
                       ? connection().OpenRecordSet(Statement(kListOtherTracks, {m_NewTrackName}))
                       : connection().OpenRecordSet(Statement(kListTracks));
    std::vector<std::string> names;
    names.reserve(size_t(rs.RecordCount()));
    const size_t col = rs.ColumnIndex("tratto");
    for (; !rs.IsEOF(); rs.MoveNext()) names.push_back(rs.FieldAt(col).asText());
    rs.Close();
    return names;
}

int32_t TrackStore::CountTracks() {
    RecordSet rs = connection().OpenRecordSet(Statement(kCountTracks));
    int32_t n = ToInt32(rs.RecordCount());
    rs.Close();
    return n;
}

int16_t TrackStore::CountBranches(const std::string& trackName) {
    RecordSet rs = connection().OpenRecordSet(Statement(kCountBranches, {trackName}));
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
    size_t cx = 0, cy = 0;
    const int64_t count = connection().ReadRows(Statement(kLoadBranch, {trackName, branch}),
                                                [&](const ctl::db::RowView& row) {
                                                    if (x.empty()) {
                                                        cx = row.ColumnIndex("X");
                                                        cy = row.ColumnIndex("Y");
                                                    }
                                                    x.push_back(row.DoubleAt(cx));
                                                    y.push_back(row.DoubleAt(cy));
                                                    return !keepGoing || keepGoing();
                                                });
    if (count == 0)
        ctl::Raise(ctl::errInvalidCall,
                   "Track name:  ''" + trackName + "''\r\rThis Track doesn't exist.");
    // Handed over at the end: code that runs while events are let through may reload the
    // caller's arrays meanwhile. Their old memory is kept for the next load.
    xs.swap(x);
    ys.swap(y);
    if (reuse) {
        m_SpareX.swap(x);
        m_SpareY.swap(y);
    }
}

void TrackStore::StartNewBranch(const std::string& newTrackName) {
    ctl::db::Connection& c = connection();
    int16_t branch = 1;
    int32_t ordinal = 0;
    m_QueryError.clear();
    // A query that fails counts as one without rows (a first branch from ordinal 0); its
    // reason is kept for the caller, and the first insert then says what is wrong.
    try {
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
    } catch (const ctl::RaisedError& e) {
        if (e.number() != ctl::db::errDbStatement) throw;
        m_QueryError = e.description();
        ordinal = 0;
        branch = 1;
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

void TrackStore::beginNewTrack() {
    ctl::db::Connection& c = connection();
    m_ColumnsFit = ColumnsInOrder(c);
    // Names compare without regard to case, so the lock does too.
    c.BeginTransFor("tratto:" + ctl::ToLower(m_NewTrackName));
    try {
        // The branch was chosen before the transaction began: another user may have stored
        // it since. Then this one becomes the next free branch, counting on from its ordinals.
        RecordSet rs = c.OpenRecordSet(Statement(kBranchesOfNewTrack, {m_NewTrackName}));
        if (rs.RecordCount() > 0) {
            rs.MoveLast();
            const int64_t highest = rs.Field("ramo").asInteger();
            if (highest >= m_NewBranch) {
                const int16_t branch = ToInt16(highest + 1);
                rs =
                    c.OpenRecordSet(Statement(kLastOrdinal, {m_NewTrackName, int16_t(branch - 1)}));
                rs.MoveLast();
                m_PointOrdinal = ToInt32(rs.Field("ordinale").asInteger());
                m_NewBranch = branch;
            }
        }
    } catch (...) {
        try {
            c.RollbackTrans();
        } catch (...) {
        }
        throw;
    }
    m_NewTrackOpen = true;
}

void TrackStore::StorePoint(float x, float y) {
    ctl::db::Connection& c = connection();
    if (!m_NewTrackOpen) beginNewTrack();
    if (m_PointOrdinal == std::numeric_limits<int32_t>::max()) ctl::Raise(ctl::errOverflow);
    ++m_PointOrdinal;
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
    c.Execute(m_Insert);
}

void TrackStore::CommitNewTrack() {
    if (!m_NewTrackOpen) return;
    // A commit that fails leaves the transaction open, and so the flag: nothing is lost and
    // the commit can be tried again.
    connection().CommitTrans();
    m_NewTrackOpen = false;
    if (onTracksChanged) onTracksChanged();
}

void TrackStore::RollBackNewTrack() {
    if (!m_NewTrackOpen) return;
    connection().RollbackTrans();
    m_NewTrackOpen = false;
}

void TrackStore::DeleteTrack(const std::string& trackName) {
    ctl::db::Connection& c = connection();
    c.BeginTrans();
    try {
        c.Execute(Statement(kDeleteTrack, {trackName}));
        c.CommitTrans();
        if (onTracksChanged) onTracksChanged();
    } catch (...) {
        // Left open, the transaction would be applied by the next unrelated commit.
        try {
            c.RollbackTrans();
        } catch (...) {
        }
        throw;
    }
}

std::vector<std::string> TrackStore::Trace() const {
    return m_Connection ? m_Connection->Trace() : std::vector<std::string>{};
}

}  // namespace karvex
