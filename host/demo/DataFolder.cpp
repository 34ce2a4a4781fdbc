#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace demo {

QString DataFolder(const QString& preferred) {
    QString folder = preferred;
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty()) folder = QDir::temp().filePath("ctldemo");
    if (!QDir().mkpath(folder)) return {};
    return QFileInfo(folder).absoluteFilePath();
}

QString PrepareTrackStore(const QString& folder) {
    // The store tool (trackdb) is not part of this build yet.
    (void)folder;
    return "Tracks are not kept yet: this build has no track store.";
}

}  // namespace demo
