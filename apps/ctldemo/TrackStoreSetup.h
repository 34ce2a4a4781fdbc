#pragma once
// The map page's track store: made with the store tool's own code on the demo's first start,
// seeded with tracks along the map picture's road and river, and left alone afterwards.
#include <QString>
#include <vector>

namespace demo {

struct TrackStoreState {
    QString path;          // the store file; empty when there is none
    bool usable = false;   // the chart can keep tracks in it
    bool created = false;  // made and seeded by this start
    QString message;       // what the page tells the user about it
};

// Finds the store (mappa.mdb, without regard to case) in the folder and checks it; when there
// is none, makes it and adds the sample tracks. A store that is there is never changed or
// seeded again, even when it holds no track, and one that does not suit the chart is left as
// it is. The sample tracks are in twips at `twipsPerPixel` (the screen's) over the picture.
TrackStoreState PrepareTrackStore(const QString& folder, int twipsPerPixel);

// The names of the sample tracks, in the order they are seeded.
std::vector<QString> SampleTrackNames();

// One line of the track list.
struct StoredTrack {
    QString name;
    int branches = 0, points = 0;
};
// The tracks of a usable store, by name; raises ctl::RaisedError or std::runtime_error when
// the store cannot be read.
std::vector<StoredTrack> ListStoredTracks(const TrackStoreState& store);

}  // namespace demo
