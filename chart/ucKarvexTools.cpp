// The chart's procedures that script hosts and tools may run by name: the track store's
// operations as the menu commands and the drawing use them.
#include "chart/map/TrackStore.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Text.h"

namespace karvex {

using ctl::Variant;

namespace {
// One result more. Kept out of line: inlined into the long chain below, GCC 12 takes the
// string inside a moved Variant for uninitialised.
[[gnu::noinline]] void Put(ctl::Args& results, const Variant& v) {
    results.push_back(v);
}

const Variant& Arg(const ctl::Args& args, size_t i) {
    if (i >= args.size()) ctl::Raise(450, "Wrong number of arguments");
    return args[i];
}
}  // namespace

bool ucKarvex::RunTool(const std::string& name, const ctl::Args& args, ctl::Args& results) {
    if (!UserMode()) ctl::Raise(ctl::errSetNotSupported, "The track store exists only at run time");
    const std::string n = ctl::ToLower(name);
    if (n == "opentrackstore") {
        OpenTrackStore();
        Put(results, !m_DbUnusable);
    } else if (n == "dbunusable") {
        Put(results, m_DbUnusable);
    } else if (n == "counttracks") {
        Put(results, CountTracks());
    } else if (n == "listtracknames") {
        for (auto& t : m_Store->ListTrackNames()) Put(results, t);
    } else if (n == "countbranches") {
        m_TrackName = ctl::Trim(Arg(args, 0).toString());
        Put(results, CountBranches());
    } else if (n == "loadbranch") {
        m_TrackName = ctl::Trim(Arg(args, 0).toString());
        Put(results, LoadBranch(Arg(args, 1).toInt16()));
        Put(results, int32_t(m_TrackX.size()));
    } else if (n == "trackpoints") {
        for (size_t i = 0; i < m_TrackX.size() && i < m_TrackY.size(); ++i) {
            Put(results, m_TrackX[i]);
            Put(results, m_TrackY[i]);
        }
    } else if (n == "startnewbranch") {
        m_Store->StartNewBranch(ctl::Trim(Arg(args, 0).toString()));
        Put(results, m_Store->NewBranch());
        Put(results, m_Store->PointOrdinal());
    } else if (n == "storepoint") {
        m_Store->StorePoint(Arg(args, 0).toSingle(), Arg(args, 1).toSingle());
        Put(results, m_Store->PointOrdinal());
    } else if (n == "commitnewtrack") {
        m_Store->CommitNewTrack();
    } else if (n == "rollbacknewtrack") {
        m_Store->RollBackNewTrack();
    } else if (n == "newtrackopen") {
        Put(results, m_Store->NewTrackOpen());
    } else if (n == "deletetrack") {
        m_TrackName = ctl::Trim(Arg(args, 0).toString());
        const bool ok = DeleteTrack();
        if (ok) m_TrackName.clear();
        Put(results, ok);
    } else if (n == "choosetrack") {
        Put(results, ChooseTrack(Arg(args, 0).toString()));
    } else if (n == "storetrace") {
        for (auto& t : m_Store->Trace()) Put(results, t);
    } else {
        return false;
    }
    return true;
}

}  // namespace karvex
