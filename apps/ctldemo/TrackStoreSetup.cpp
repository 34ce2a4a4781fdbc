#include "TrackStoreSetup.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "MapPicture.h"
#include "platform/com/RaisedError.h"
#include "platform/db/SqliteConnection.h"
#include "trackio/Commands.h"
#include "trackio/Csv.h"
#include "trackio/StoreFile.h"

namespace demo {

namespace {
constexpr const char* kStoreName = "mappa.mdb";
constexpr int kRoadPoints = 40, kRiverPoints = 32;

// The seed as the store tool's CSV: one branch per track, ordinals from 1.
std::string SeedCsv(int twipsPerPixel) {
    std::ostringstream csv;
    csv << "ordinale,tratto,ramo,X,Y\n";
    const std::vector<QString> names = SampleTrackNames();
    const std::vector<QPointF> routes[] = {MainRoadRoute(kRoadPoints), RiverRoute(kRiverPoints)};
    for (size_t t = 0; t < names.size(); ++t) {
        int ordinal = 0;
        for (const QPointF& p : routes[t])
            csv << ++ordinal << ',' << trackio::CsvField(names[t].toStdString()) << ",1,"
                << trackio::NumberText(std::round(p.x() * twipsPerPixel)) << ','
                << trackio::NumberText(std::round(p.y() * twipsPerPixel)) << '\n';
    }
    return csv.str();
}

QString Reason(const std::exception& e) {
    if (auto* raised = dynamic_cast<const ctl::RaisedError*>(&e))
        return QString::fromStdString(raised->description());
    return QString::fromStdString(e.what());
}

void RemoveLeftovers(const QString& file) {
    QFile::remove(file);
    QFile::remove(file + "-journal");
}
}  // namespace

std::vector<QString> SampleTrackNames() {
    return {"Main road: Sarsina - Corte Alta", "River: the lake to the sea"};
}

TrackStoreState PrepareTrackStore(const QString& folder, int twipsPerPixel) {
    TrackStoreState s;
    if (folder.isEmpty()) {
        s.message = "Tracks cannot be kept: the demo has no data folder.";
        return s;
    }
    const QString wanted = QDir(folder).filePath(kStoreName);
    const std::string found = ctl::db::FindFileNoCase(wanted.toStdString());
    if (!found.empty()) {
        s.path = QString::fromStdString(found);
        try {
            auto c = trackio::OpenStore(found);
            const std::string missing = trackio::MissingColumns(*c);
            if (!missing.empty()) throw std::runtime_error(missing);
        } catch (const std::exception& e) {
            s.message = "The track store " + s.path + " cannot be used (" + Reason(e) +
                        "); it is left as it is, and tracks are not kept.";
            return s;
        }
        s.usable = true;
        s.message = "Tracks are kept in " + s.path + ".";
        return s;
    }

    // First start: the store is made and seeded under another name and renamed when whole, so
    // an interrupted start leaves no half-made store, and the next start tries again.
    const QString making = wanted + ".new";
    RemoveLeftovers(making);
    try {
        std::ostringstream quiet;
        trackio::Create(making.toStdString(), quiet);
        std::istringstream seed(SeedCsv(twipsPerPixel));
        trackio::ImportCsv(making.toStdString(), seed, "the sample tracks");
        if (!QFile::rename(making, wanted))
            throw std::runtime_error("cannot rename " + making.toStdString());
    } catch (const std::exception& e) {
        RemoveLeftovers(making);
        s.message = "Tracks cannot be kept: the track store cannot be made in " + folder + " (" +
                    Reason(e) + "). The map works without stored tracks.";
        return s;
    }
    s.path = wanted;
    s.usable = true;
    s.created = true;
    s.message = QString("Made the track store %1 with %2 sample tracks.")
                    .arg(wanted)
                    .arg(SampleTrackNames().size());
    return s;
}

std::vector<StoredTrack> ListStoredTracks(const TrackStoreState& store) {
    std::vector<StoredTrack> tracks;
    if (!store.usable) return tracks;
    for (const trackio::TrackSummary& t : trackio::ListTracks(store.path.toStdString()))
        tracks.push_back({QString::fromStdString(t.name), int(t.branches), int(t.points)});
    return tracks;
}

}  // namespace demo
