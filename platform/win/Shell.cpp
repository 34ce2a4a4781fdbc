#include "platform/win/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "platform/sys/EventLoop.h"

namespace ctl {

namespace {
std::function<int32_t(const std::string&)>& Handler() {
    static std::function<int32_t(const std::string&)> handler;
    return handler;
}
}  // namespace

int32_t ShellExecute(const std::string& target, const std::string& folder) {
    if (Handler()) return Handler()(target);
    EnsureApplication();
    const QString t = QString::fromStdString(target);
    if (t.trimmed().isEmpty()) return SE_ERR_FNF;
    // A scheme of two or more letters; a single letter before ':' is a drive, not a scheme.
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    QUrl url;
    if (scheme.match(t).hasMatch()) {
        url = QUrl(t, QUrl::TolerantMode);
        if (!url.isValid()) return SE_ERR_FNF;
    } else {
        QFileInfo info(QDir(QString::fromStdString(folder)), t);
        if (!info.exists()) return info.dir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
        if (!info.isReadable()) return SE_ERR_ACCESSDENIED;
        url = QUrl::fromLocalFile(info.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? SE_OPENED : SE_ERR_NOASSOC;
}

void SetShellHandler(std::function<int32_t(const std::string&)> handler) {
    Handler() = std::move(handler);
}

}  // namespace ctl
