// The demo's command line: both spellings of an option's value, what a display (or none)
// decides, and clear errors for bad values.
#include <gtest/gtest.h>

#include "apps/ctldemo/DemoOptions.h"

using demo::DemoOptions;
using demo::ParseDemoOptions;

namespace {
DemoOptions Parse(QStringList args, bool display = true, const QString& platform = {}) {
    args.prepend("ctldemo");
    return ParseDemoOptions(args, display, platform);
}
}  // namespace

TEST(DemoOptions, SnapshotFolderInEitherSpellingWritesTheGalleryEvenWithADisplay) {
    for (const QStringList& args : {QStringList{"--snapshot=out/g"}, {"--snapshot", "out/g"}}) {
        const DemoOptions o = Parse(args);
        EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
        EXPECT_EQ(o.mode, DemoOptions::Mode::Gallery) << args.join(' ').toStdString();
        EXPECT_EQ(o.galleryFolder, "out/g");
        EXPECT_FALSE(o.headless);  // the display is there; the gallery needs no window
    }
    const DemoOptions page = Parse({"--page=3", "--data=/tmp/d"});
    EXPECT_EQ(page.mode, DemoOptions::Mode::Window);
    EXPECT_EQ(page.page, 3);
    EXPECT_EQ(page.dataFolder, "/tmp/d");
}

TEST(DemoOptions, NoDisplayOrOffscreenMeansTheGalleryAndNoScreenshot) {
    const DemoOptions none = Parse({}, false);
    EXPECT_TRUE(none.headless);
    EXPECT_EQ(none.mode, DemoOptions::Mode::Gallery);
    EXPECT_EQ(none.galleryFolder, "ctldemo-gallery");
    EXPECT_EQ(Parse({}, true, "offscreen").mode, DemoOptions::Mode::Gallery);
    EXPECT_FALSE(Parse({"--screenshot=a.png"}, false).error.isEmpty());

    const DemoOptions shot = Parse({"--screenshot=a.png", "--quit-after=500"});
    EXPECT_EQ(shot.mode, DemoOptions::Mode::Screenshot);
    EXPECT_EQ(shot.screenshotFile, "a.png");
    EXPECT_EQ(shot.quitAfterMs, 500);
}

TEST(DemoOptions, BadValuesAreErrorsAndHelpIsNot) {
    for (const QStringList& args : {QStringList{"--page=9"},
                                    {"--page", "x"},
                                    {"--quit-after=-1"},
                                    {"--nonsense"},
                                    {"stray"},
                                    {"--snapshot"},
                                    {"--snapshot="}})
        EXPECT_FALSE(Parse(args).error.isEmpty()) << args.join(' ').toStdString();
    const DemoOptions help = Parse({"--help"});
    EXPECT_TRUE(help.help);
    EXPECT_TRUE(help.helpText.contains("--snapshot"));
    EXPECT_TRUE(help.helpText.contains("--quit-after"));
}
