#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/Connection.h"

namespace karvex {

// The store of named tracks: the table MAPPA (ordinale, tratto, ramo, X, Y) in the file
// mappa.mdb of the application folder, or on the PostgreSQL server that the folder's file
// mappa.conn names (its first line: a libpq connection URI or key=value string). It sends a fixed
// set of statements, wraps the points of a new track in one transaction, and never creates the
// file, the table or its columns. Every failure is raised (number and description); the control
// decides what the user sees.
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

    // Closes an earlier connection, then opens the store of the folder (ending with "/").
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
    void LoadBranch(const std::string& trackName, int16_t branch, std::vector<double>& xs,
                    std::vector<double>& ys, const std::function<bool()>& keepGoing);

    // The new track's branch and last ordinal: branch 1 from ordinal 0 for a new name, else
    // the branch after the highest one, counting on from that branch's last ordinal.
    // A query that fails there counts as no rows; its description is in QueryError().
    void StartNewBranch(const std::string& newTrackName);
    const std::string& QueryError() const { return m_QueryError; }
    // Inserts one point of the new track. The first point begins its transaction, locked for
    // the track against other users extending it; when one of them took the chosen branch
    // meanwhile, the point goes to the next free branch, after that branch's last ordinal.
    void StorePoint(float x, float y);
    bool NewTrackOpen() const { return m_NewTrackOpen; }
    void CommitNewTrack();
    void RollBackNewTrack();
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

  private:
    ctl::db::Connection& connection();
    static bool ColumnsInOrder(ctl::db::Connection& c);
    void beginNewTrack();
    std::unique_ptr<ctl::db::Connection> m_Connection;
    std::string m_OpenError;   // why the last open failed
    std::string m_QueryError;  // why the last query of StartNewBranch failed, "" if it did not
    bool m_NewTrackOpen = false;
    std::string m_NewTrackName;
    int16_t m_NewBranch = 0;
    int32_t m_PointOrdinal = 0;
    ctl::db::Statement m_Insert;             // reused for every point
    std::vector<double> m_SpareX, m_SpareY;  // buffers for the next load
    bool m_LoadBusy = false;                 // a load is using them
    bool m_ColumnsFit = true;                // of the table, checked as each new track begins
};

}  // namespace karvex
