#include "DataFolder.h"

#include <unistd.h>

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

QString ScratchFolder() {
    const QString folder = QDir::temp().filePath(QString("ctldemo-%1").arg(getuid()));
    return QDir().mkpath(folder) ? folder : QString();
}

}  // namespace demo
