// ctldemo: the demo application. Shows each capability of the controls on its own page in a
// window; with no display (or --snapshot DIR) writes the pages as PNG files with an
// index.html instead.
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
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
#include "DemoOptions.h"
#include "DemoWindow.h"
#include "Gallery.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

namespace {
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
    // The command line is read once, before the toolkit starts: without a display the demo
    // renders its gallery offscreen.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const demo::DemoOptions opts =
        demo::ParseDemoOptions(arguments, HasDisplay(), platform ? platform : "");
    if (opts.help) {
        std::printf("%s", qPrintable(opts.helpText));
        return 0;
    }
    if (!opts.error.isEmpty()) {
        std::fprintf(stderr, "ctldemo: %s\n", qPrintable(opts.error));
        return 2;
    }
    const bool snapshot = opts.mode == demo::DemoOptions::Mode::Gallery;
    if (opts.headless) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        std::string dir = "/tmp/ctl-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }

    QApplication app(argc, argv);
    app.setApplicationName("ctldemo");

    const QString data = demo::DataFolder(opts.dataFolder);
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
        const QString& folder = opts.galleryFolder;
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

    window.showPage(opts.page - 1);
    window.show();
    if (opts.mode == demo::DemoOptions::Mode::Screenshot) {
        // The real-window check: the window must reach the screen of a real window system.
        const QString& file = opts.screenshotFile;
        int result = 1;
        QTimer::singleShot(std::max(200, opts.quitAfterMs), &app, [&] {
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
