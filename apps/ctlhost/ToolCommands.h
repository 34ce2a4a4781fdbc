#pragma once

namespace ctlhost {

class ScriptHost;

// ["tool", NAME, ARGS...]: runs one of the control's procedures beyond its public interface
// (the chart's track store: OpenTrackStore, DbUnusable, CountTracks, ListTrackNames,
// CountBranches NAME, LoadBranch NAME BRANCH, TrackPoints, StartNewBranch NAME, StorePoint X Y,
// CommitNewTrack, RollBackNewTrack, NewTrackOpen, DeleteTrack NAME, ChooseTrack TITLE,
// StoreTrace). Answers {"result": [VALUES...]}.
void RegisterToolCommands(ScriptHost& host);

}  // namespace ctlhost
