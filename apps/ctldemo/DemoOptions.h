#pragma once
// The demo's command line, read once before anything is decided: whether a window opens, the
// gallery is written or a screenshot is taken, and with which folders.
#include <QString>
#include <QStringList>

namespace demo {

struct DemoOptions {
    enum class Mode { Window, Gallery, Screenshot };
    Mode mode = Mode::Window;
    bool headless = false;   // the toolkit must run offscreen (no display to open)
    QString galleryFolder;   // Gallery: where the pages go
    QString screenshotFile;  // Screenshot: the grab
    int quitAfterMs = 0;     // Screenshot: how long the window shows first
    int page = 1;            // 1 to 4
    QString dataFolder;      // empty: the user's application data folder
    bool help = false;
    QString helpText;
    QString error;  // not empty: print it and end with status 2
};

// `args` is the whole command line, the program first; `hasDisplay` whether a window system
// can be reached; `platform` the toolkit platform asked for in the environment (may be empty).
DemoOptions ParseDemoOptions(const QStringList& args, bool hasDisplay, const QString& platform);

}  // namespace demo
