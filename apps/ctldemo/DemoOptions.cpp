#include "DemoOptions.h"

#include <QCommandLineParser>

namespace demo {

namespace {
constexpr const char* kDefaultGallery = "ctldemo-gallery";
constexpr int kDefaultScreenshotDelayMs = 2000;
}  // namespace

DemoOptions ParseDemoOptions(const QStringList& args, bool hasDisplay, const QString& platform) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Demo of the chart and two-column combo controls. Opens a window; without a display "
        "(or with --snapshot) writes the pages as PNG files and an index.html.");
    const QCommandLineOption helpOpt(QStringList{"h", "help"}, "Show this help.");
    const QCommandLineOption snapshotOpt("snapshot", "Write the gallery into <folder>.", "folder");
    const QCommandLineOption pageOpt("page", "Open on page <n> (1-4).", "n", "1");
    const QCommandLineOption dataOpt("data", "Data folder (map picture, track store, form file).",
                                     "folder");
    const QCommandLineOption shotOpt(
        "screenshot", "Show the window, grab the screen into <file> and quit.", "file");
    const QCommandLineOption delayOpt(
        "quit-after", "With --screenshot: milliseconds the window shows before the grab.", "ms",
        QString::number(kDefaultScreenshotDelayMs));
    parser.addOptions({helpOpt, snapshotOpt, pageOpt, dataOpt, shotOpt, delayOpt});

    DemoOptions o;
    o.helpText = parser.helpText();
    if (!parser.parse(args)) {
        o.error = parser.errorText();
        return o;
    }
    if (parser.isSet(helpOpt)) {
        o.help = true;
        return o;
    }
    if (!parser.positionalArguments().isEmpty()) {
        o.error = "unexpected argument " + parser.positionalArguments().first();
        return o;
    }
    bool ok = false;
    o.page = parser.value(pageOpt).toInt(&ok);
    if (!ok || o.page < 1 || o.page > 4) {
        o.error = "--page takes 1 to 4, not " + parser.value(pageOpt);
        return o;
    }
    o.quitAfterMs = parser.value(delayOpt).toInt(&ok);
    if (!ok || o.quitAfterMs < 0) {
        o.error = "--quit-after takes milliseconds, not " + parser.value(delayOpt);
        return o;
    }
    o.dataFolder = parser.value(dataOpt);

    // Without a display (and no platform chosen) the toolkit runs offscreen and the gallery is
    // the only thing the demo can show; an offscreen platform asked for means the same.
    o.headless = !hasDisplay && platform.isEmpty();
    const bool offscreen = o.headless || platform == "offscreen";
    if (parser.isSet(snapshotOpt) || offscreen) {
        if (parser.isSet(shotOpt)) {
            o.error =
                "--screenshot needs a display (there is none, or the gallery was asked for); "
                "--snapshot FOLDER writes the pages instead";
            return o;
        }
        o.mode = DemoOptions::Mode::Gallery;
        o.galleryFolder =
            parser.isSet(snapshotOpt) ? parser.value(snapshotOpt) : QString(kDefaultGallery);
        if (o.galleryFolder.isEmpty()) o.error = "--snapshot needs a folder";
        return o;
    }
    if (parser.isSet(shotOpt)) {
        o.mode = DemoOptions::Mode::Screenshot;
        o.screenshotFile = parser.value(shotOpt);
    }
    return o;
}

}  // namespace demo
