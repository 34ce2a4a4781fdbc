// ctldemo: the demo application. Shows each capability of the controls on its own page in a
// window; with no display (or --snapshot DIR) writes the pages as PNG files with an
// index.html instead.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "DataFolder.h"
#include "DemoWindow.h"
#include "Gallery.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

namespace {
constexpr const char* kDefaultGallery = "ctldemo-gallery";
constexpr int kDefaultScreenshotDelayMs = 2000;

bool HasDisplay() {
    auto set = [](const char* v) { return std::getenv(v) && *std::getenv(v); };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

// A grab of a real screen holding the window has more than a handful of colours.
bool LooksDrawn(const QImage& img) {
    if (img.isNull()) return false;
    QList<QRgb> seen;
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7) {
            QRgb c = img.pixel(x, y);
            if (!seen.contains(c)) seen.append(c);
            if (seen.size() > 8) return true;
        }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // Decide before the toolkit starts: without a display the demo renders its gallery.
    bool snapshot = false;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--snapshot") snapshot = true;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool offscreen = platform && std::string(platform) == "offscreen";
    if (!HasDisplay() && !platform) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        snapshot = true;
    }
    if (offscreen) snapshot = true;
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        std::string dir = "/tmp/ctl-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }

    QApplication app(argc, argv);
    app.setApplicationName("ctldemo");
    QCommandLineParser args;
    args.setApplicationDescription(
        "Demo of the chart and two-column combo controls. Opens a window; without a display "
        "(or with --snapshot) writes the pages as PNG files and an index.html.");
    args.addHelpOption();
    QCommandLineOption snapshotOpt("snapshot", "Write the gallery into <folder>.", "folder");
    QCommandLineOption pageOpt("page", "Open on page <n> (1-4).", "n", "1");
    QCommandLineOption dataOpt("data", "Data folder (map picture, track store, form file).",
                               "folder");
    QCommandLineOption shotOpt("screenshot",
                               "Show the window, grab the screen into <file> and quit.", "file");
    QCommandLineOption delayOpt("quit-after", "Milliseconds before the screenshot.", "ms",
                                QString::number(kDefaultScreenshotDelayMs));
    args.addOptions({snapshotOpt, pageOpt, dataOpt, shotOpt, delayOpt});
    args.process(app);
    bool pageOk = false;
    const int page = args.value(pageOpt).toInt(&pageOk);
    if (!pageOk || page < 1 || page > 4) {
        std::fprintf(stderr, "ctldemo: --page takes 1 to 4, not %s\n",
                     qPrintable(args.value(pageOpt)));
        return 2;
    }
    if (snapshot && args.isSet(shotOpt)) {
        std::fprintf(stderr,
                     "ctldemo: --screenshot needs a display (there is none, or the gallery was "
                     "asked for); --snapshot FOLDER writes the pages instead\n");
        return 2;
    }

    const QString data = demo::DataFolder(args.value(dataOpt));
    if (data.isEmpty()) {
        std::fprintf(stderr, "ctldemo: cannot create a data folder\n");
        return 1;
    }
    if (snapshot) {
        // Nobody answers a dialog in a gallery run: the controls' messages take their default
        // answer and are written to standard error instead of waiting.
        auto prompter = std::make_shared<ctl::ScriptedPrompter>();
        prompter->onPrompt = [](const ctl::PromptRecord& r, const ctl::MessageBoxRequest*) {
            QString text = QString::fromStdString(r.text).replace('\r', ' ').simplified();
            std::fprintf(stderr, "ctldemo: %s: %s\n", r.kind.c_str(), qPrintable(text));
        };
        ctl::SetPrompter(prompter);
    }
    // A control that cannot be created (a missing library) ends the demo with its reason.
    std::unique_ptr<demo::DemoWindow> made;
    try {
        made = std::make_unique<demo::DemoWindow>(data);
    } catch (const ctl::RaisedError& e) {
        std::fprintf(stderr, "ctldemo: error %d: %s\n", e.number(), e.description().c_str());
        return 1;
    }
    demo::DemoWindow& window = *made;

    if (snapshot) {
        QString folder = args.isSet(snapshotOpt) ? args.value(snapshotOpt) : kDefaultGallery;
        QString error;
        int n = demo::WriteGallery(window, folder, &error);
        if (n < 0) {
            std::fprintf(stderr, "ctldemo: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("ctldemo: %d pages written to %s/index.html\n", n,
                    qPrintable(QDir(folder).absolutePath()));
        return 0;
    }

    window.showPage(page - 1);
    window.show();
    if (args.isSet(shotOpt)) {
        // The real-window check: the window must reach the screen of a real window system.
        const QString file = args.value(shotOpt);
        int result = 1;
        QTimer::singleShot(std::max(200, args.value(delayOpt).toInt()), &app, [&] {
            QScreen* screen = window.screen();
            QImage img = screen ? screen->grabWindow(0).toImage() : QImage();
            const bool saved = !img.isNull() && img.save(file, "PNG");
            result = saved && LooksDrawn(img) ? 0 : 1;
            if (result != 0)
                std::fprintf(stderr, "ctldemo: the screen grab is %s\n",
                             saved ? "blank" : "missing");
            window.close();
            app.quit();
        });
        app.exec();
        return result;
    }
    return app.exec();
}
