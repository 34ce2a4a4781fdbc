#pragma once
// The demo's writable data folder: the map picture, the track store and the form's property
// file live there.
#include <QString>

namespace demo {

// The folder given, else the user's application data folder; created when missing. Empty
// when it cannot be created.
QString DataFolder(const QString& preferred = {});

// A folder for files the demo writes when its data folder refuses them (the map picture):
// a folder of this user under the system's temporary folder. Empty when none can be made.
QString ScratchFolder();

}  // namespace demo
