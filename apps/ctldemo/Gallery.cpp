#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTextStream>

#include "DemoPage.h"
#include "DemoWindow.h"

namespace demo {

QString Slug(const QString& title) {
    QString s;
    for (QChar c : title.toLower()) {
        if (c.isLetterOrNumber())
            s += c;
        else if (!s.endsWith('-'))
            s += '-';
    }
    while (s.endsWith('-')) s.chop(1);
    return s.isEmpty() ? "page" : s;
}

int WriteGallery(DemoWindow& window, const QString& folder, QString* error) {
    if (!QDir().mkpath(folder)) {
        if (error) *error = "Cannot create the folder " + folder;
        return -1;
    }
    window.show();
    QApplication::processEvents();
    QString html;
    QTextStream out(&html);
    out << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Controls demo</title>\n"
           "<style>body{font-family:sans-serif;max-width:1180px;margin:2em auto;color:#222}"
           "figure{margin:0 0 2.5em 0}img{max-width:100%;border:1px solid #bbb;"
           "box-shadow:0 2px 6px #0002}figcaption{margin-top:.5em;color:#444}</style>\n"
           "</head><body>\n<h1>Controls demo</h1>\n";
    int written = 0;
    const auto& pages = window.pages();
    for (size_t i = 0; i < pages.size(); ++i) {
        DemoPage* page = pages[i];
        window.showPage(int(i));
        QApplication::processEvents();
        page->prepareSnapshot();
        QApplication::processEvents();
        const QString name =
            QString("%1-%2.png").arg(i + 1, 2, 10, QChar('0')).arg(Slug(page->title()));
        if (!window.grab().save(QDir(folder).filePath(name), "PNG")) {
            if (error) *error = "Cannot write " + QDir(folder).filePath(name);
            return -1;
        }
        ++written;
        out << "<figure><h2>" << page->title().toHtmlEscaped() << "</h2><img src=\"" << name
            << "\" alt=\"" << page->title().toHtmlEscaped() << "\"><figcaption>"
            << page->summary().toHtmlEscaped() << "</figcaption></figure>\n";
    }
    out << "</body></html>\n";
    QFile index(QDir(folder).filePath("index.html"));
    if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate) || index.write(html.toUtf8()) < 0) {
        if (error) *error = "Cannot write " + index.fileName();
        return -1;
    }
    window.showPage(0);
    return written;
}

}  // namespace demo
