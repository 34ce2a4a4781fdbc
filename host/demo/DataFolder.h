#pragma once
// The demo's writable data folder: the map picture and the track store live there.
#include <QString>

namespace demo {

// The folder given, else the user's application data folder; created when missing. Empty
// when it cannot be created.
QString DataFolder(const QString& preferred = {});

// Sets up the track store in the folder on first start. The store tool arrives with its own
// work; until then this reports that tracks cannot be kept.
QString PrepareTrackStore(const QString& folder);

}  // namespace demo
