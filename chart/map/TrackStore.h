#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/map/KeptBranch.h"
#include "platform/db/Connection.h"

namespace karvex {

// The store of named tracks: the table MAPPA (ordinale, tratto, ramo, X, Y) in the file
// mappa.mdb of the application folder, or on the PostgreSQL server that the folder's file
// mappa.conn names (its first line: a libpq connection URI or key=value string). It sends a fixed
// set of statements, wraps the points of a new track in one transaction, and never creates the
// file, the table or its columns. Every failure is raised (number and description); the control
// decides what the user sees.
//
// Track names compare without regard to case for the letters A to Z only, on a file as on a
// server: lists come deduplicated and sorted so (the engine's DISTINCT and ORDER BY may fold
// other letters too, or none).
//
// The new track: the store keeps the points of the open branch that it has sent. When the
// engine ends the transaction under it (a full disk, a lost connection, a server that stopped
// answering), nothing more is sent as if it were still open: the next point, or the commit,
// begins a new transaction under the track's lock, numbers the branch afresh and sends the
// kept points again before going on. A connection that was lost is opened again by the next
// operation that needs it.
class TrackStore {
  public:
    TrackStore() = default;
    ~TrackStore();
    TrackStore(const TrackStore&) = delete;
    TrackStore& operator=(const TrackStore&) = delete;

    // The file store's connection string, and the one Open uses: the server's when the folder
    // has a mappa.conn (found without regard to case), else the file's.
    static std::string ConnectionStringFor(const std::string& appFolder);
    static std::string ChooseConnection(const std::string& appFolder);

    // Closes an earlier connection, then opens the store of the folder (ending with "/"). A
    // file goes to the engine by its path (any character a file name may hold).
    void Open(const std::string& appFolder);
    bool IsOpen() const;
    // Ends the connection; an open new track is rolled back by the engine (resolve it first).
    void Close();

    // Distinct names, ascending; while a new track is open that track is left out.
    std::vector<std::string> ListTrackNames();
    int32_t CountTracks();
    // 1 when the track has fewer than two branches (also none), else the number of branches.
    int16_t CountBranches(const std::string& trackName);
    // Loads one branch's points, in ordinal order. `keepGoing` runs after every row (it lets
    // pending events run) and stops the load by returning false; the slots not reached stay 0.
    // A file store hands a branch that nothing can have changed since it was read whole last
    // over from memory, row by row all the same.
    void LoadBranch(const std::string& trackName, int16_t branch, std::vector<double>& xs,
                    std::vector<double>& ys, const std::function<bool()>& keepGoing);

    // The new track's branch and last ordinal: branch 1 from ordinal 0 for a new name, else
    // the branch after the highest one, counting on from that branch's last ordinal.
    // A query that fails there counts as no rows; its description is in QueryError().
    void StartNewBranch(const std::string& newTrackName);
    const std::string& QueryError() const { return m_QueryError; }
    // Inserts one point of the new track. The first point begins its transaction, locked for
    // the track against other users extending it and against its deletion, and numbers the
    // branch from the branches present then (1 when there are none: the track may have been
    // deleted meanwhile), after the last ordinal of the highest one. A coordinate that is not
    // a finite number is refused (errOverflow) before anything is sent.
    void StorePoint(float x, float y);
    // A new track is open: its transaction began and it is neither committed nor rolled back
    // (its transaction may have to be begun again, see above).
    bool NewTrackOpen() const { return m_NewTrackOpen; }
    // Commits the new track; returns how many of its points were stored (0 when none was: the
    // open transaction, if any, ends then without a track). A commit that fails keeps the
    // track open, its points kept: it may be tried again.
    int64_t CommitNewTrack();
    void RollBackNewTrack();
    // Of the branch being drawn (since StartNewBranch): the points handed to StorePoint, those
    // stored (or kept to be sent again), and why the last one that was not stored failed.
    int64_t PointsTried() const { return m_PointsTried; }
    int64_t PointsKept() const { return int64_t(m_Kept.size()); }
    const std::string& LastPointError() const { return m_LastPointError; }
    const std::string& NewTrackName() const { return m_NewTrackName; }
    int16_t NewBranch() const { return m_NewBranch; }
    int32_t PointOrdinal() const { return m_PointOrdinal; }

    // Deletes every row of the track in a transaction of its own, rolled back when it fails.
    void DeleteTrack(const std::string& trackName);
    // Runs after the stored tracks may have changed: opened, closed, committed, deleted.
    std::function<void()> onTracksChanged;

    // The statements sent since the store was opened (the last few hundred), as texts.
    std::vector<std::string> Trace() const;
    ctl::db::Connection* DbConnection() const { return m_Connection.get(); }

    // Names as the store compares them: the letters A to Z folded to a to z, nothing else.
    static std::string FoldName(const std::string& name);

  private:
    ctl::db::Connection& connection(bool insist = false);
    template <class Read>
    auto reading(Read read);
    void openConnection();
    bool transactionAlive() const;
    static bool ColumnsInOrder(ctl::db::Connection& c);
    void beginNewTrack();
    void insertPoint(ctl::db::Connection& c, float x, float y);
    bool committedMeanwhile();
    void forgetNewTrack();
    std::vector<std::string> distinctNames(ctl::db::RecordSet& rs);
    std::unique_ptr<ctl::db::Connection> m_Connection;
    std::string m_Folder;    // the folder last opened, to open again after a lost connection
    bool m_WasOpen = false;  // opened, and not closed since (a lost connection is reopened)
    static constexpr int kReopenPauseS = 5;  // between tries to reach a lost store again
    std::chrono::steady_clock::time_point m_NextReopen{};
    int32_t m_ReopenNumber = 0;
    std::string m_ReopenError;
    std::string m_OpenError;   // why the last open failed
    std::string m_QueryError;  // why the last query of StartNewBranch failed, "" if it did not
    bool m_NewTrackOpen = false;
    int m_TxLevel = 0;             // the level of the new track's transaction
    bool m_TxLost = false;         // the engine ended it: the kept points must be sent again
    bool m_CommitUnknown = false;  // the link went while committing: did the commit happen?
    std::vector<std::pair<float, float>> m_Kept;  // the points of the open branch
    int64_t m_PointsTried = 0;
    std::string m_LastPointError;
    std::string m_NewTrackName;
    int16_t m_NewBranch = 0;
    int32_t m_PointOrdinal = 0;
    ctl::db::Statement m_Insert;             // reused for every point
    std::vector<double> m_SpareX, m_SpareY;  // buffers for the next load
    bool m_LoadBusy = false;                 // a load is using them
    bool m_ColumnsFit = true;                // of the table, checked as each new track begins
    std::optional<KeptBranch::Version> StoreVersion();
    void changing() { ++m_OwnWrites; }  // before any write of this store's own
    KeptBranch m_LastBranch;  // the rows of the branch read last, while unchanged
    uint64_t m_OwnWrites = 0;
};

}  // namespace karvex
