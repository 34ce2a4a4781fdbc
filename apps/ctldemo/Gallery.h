#pragma once
// The headless form of the demo: each page rendered to a PNG file, with an index.html that
// shows them with their titles and summaries.
#include <QString>

namespace demo {

class DemoWindow;

// Writes NN-name.png for each page and index.html into `folder`; returns the number of
// pictures written, or -1 when the folder cannot be written (with the reason in `error`).
int WriteGallery(DemoWindow& window, const QString& folder, QString* error);

// A file name for a page title: "Design mode" -> "design-mode".
QString Slug(const QString& title);

}  // namespace demo
