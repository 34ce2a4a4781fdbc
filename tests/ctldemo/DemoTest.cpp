// The demo headless: every page rendered to a PNG with an index.html, and the pictures show
// what the pages promise (a drawn series, the map picture, the combos, the property browser).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "UnwritableFolder.h"

namespace fs = std::filesystem;

namespace {
int RunCommand(const std::string& cmd) {
    int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Pixels close to a colour (antialiasing blurs the edges of lines).
int CountNear(const QImage& img, QColor c, int tolerance = 24) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) <= tolerance &&
                std::abs(p.green() - c.green()) <= tolerance &&
                std::abs(p.blue() - c.blue()) <= tolerance)
                ++n;
        }
    return n;
}
}  // namespace

TEST(Demo, HeadlessRunWritesTheGalleryOfEveryPage) {
    const char* demo = std::getenv("CTLDEMO");
    ASSERT_TRUE(demo) << "CTLDEMO is not set";
    const fs::path dir = fs::path(::testing::TempDir()) / "ctldemo_gallery";
    fs::remove_all(dir);
    const std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                            demo + " --snapshot " + dir.string() + " --data " +
                            (dir / "data").string() + " > " + (dir.string() + ".log") + " 2>&1";
    ASSERT_EQ(RunCommand(cmd), 0) << cmd;

    const char* pages[] = {"01-coordinate-system.png", "02-map.png", "03-combos.png",
                           "04-design-mode.png"};
    std::ifstream in(dir / "index.html");
    std::stringstream html;
    html << in.rdbuf();
    for (const char* p : pages) {
        EXPECT_NE(html.str().find(std::string("src=\"") + p + "\""), std::string::npos) << p;
        QImage img(QString::fromStdString((dir / p).string()));
        ASSERT_FALSE(img.isNull()) << p;
        EXPECT_GE(img.width(), 900) << p;
    }
    // The chart page drew its series (dark blue) and the least-squares line (red).
    QImage chart(QString::fromStdString((dir / pages[0]).string()));
    EXPECT_GT(CountNear(chart, QColor(0x13, 0x45, 0x8B)), 200);
    EXPECT_GT(CountNear(chart, QColor(0xC0, 0x20, 0x20)), 100);
    // The map page shows the background picture (its sea) with the stored tracks drawn over
    // it in red, and wrote the picture and the track store to the data folder.
    QImage map(QString::fromStdString((dir / pages[1]).string()));
    EXPECT_GT(CountNear(map, QColor(170, 205, 230), 6), 20000);
    EXPECT_GT(CountNear(map, QColor(0xC0, 0, 0), 30), 1500);
    EXPECT_TRUE(fs::exists(dir / "data" / "map.png"));
    EXPECT_TRUE(fs::exists(dir / "data" / "mappa.mdb"));
    const auto storeTime = fs::last_write_time(dir / "data" / "mappa.mdb");
    // Without the snapshot flag and without a display the demo still writes its gallery
    // instead of waiting on a window nobody sees.
    const fs::path cwd = dir / "cwd";
    fs::create_directories(cwd);
    ASSERT_EQ(RunCommand("cd " + cwd.string() +
                         " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + demo +
                         " --data " + (dir / "data").string() + " > /dev/null 2>&1"),
              0);
    EXPECT_TRUE(fs::exists(cwd / "ctldemo-gallery" / "index.html"));
    EXPECT_EQ(fs::last_write_time(dir / "data" / "mappa.mdb"), storeTime)
        << "a second start leaves the store alone";
}

TEST(Demo, AnUnwritableDataFolderIsReportedAndTheGalleryStillWritten) {
    const char* demo = std::getenv("CTLDEMO");
    ASSERT_TRUE(demo) << "CTLDEMO is not set";
    const fs::path dir = fs::path(::testing::TempDir()) / "ctldemo_locked";
    fs::create_directories(dir);
    const std::string data = UnwritableFolder((dir / "data").string());
    const fs::path log = dir / "run.log";
    const std::string cmd = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                            demo + " --snapshot " + (dir / "gallery").string() + " --data " + data +
                            " > " + log.string() + " 2>&1";
    ASSERT_EQ(RunCommand(cmd), 0) << cmd;
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    // The chart's own message about the missing store is written out, not waited on.
    EXPECT_NE(text.str().find("ctldemo: msgbox:"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("mappa.mdb"), std::string::npos) << text.str();
    EXPECT_FALSE(fs::exists(fs::path(data) / "mappa.mdb"));
    // The map page still shows its picture.
    QImage map(QString::fromStdString((dir / "gallery" / "02-map.png").string()));
    ASSERT_FALSE(map.isNull());
    EXPECT_GT(CountNear(map, QColor(170, 205, 230), 6), 20000);
}

TEST(Demo, OptionsOutOfRangeAreRefused) {
    const char* demo = std::getenv("CTLDEMO");
    ASSERT_TRUE(demo) << "CTLDEMO is not set";
    const std::string quiet = " >/dev/null 2>&1";
    const std::string env = "QT_QPA_PLATFORM=offscreen ";
    EXPECT_EQ(RunCommand(env + demo + " --page 9" + quiet), 2);
    EXPECT_EQ(RunCommand(env + demo + " --page abc" + quiet), 2);
    EXPECT_EQ(RunCommand(env + demo + " --screenshot " + ::testing::TempDir() + "s.png" + quiet),
              2);
}
