#pragma once
// Runs this test program's own tests of a suite again on a double-density screen (a device pixel
// ratio of 2, as QT_SCALE_FACTOR=2 gives), when the program itself runs at ratio 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

// True when the caller is already at ratio 2 and should check there; otherwise the suite's
// tests have been run again in a child program at ratio 2, and their result is checked.
inline bool AtRatioTwo(const std::string& filter) {
    if (qApp->devicePixelRatio() >= 2) return true;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    EXPECT_GT(n, 0);
    if (n <= 0) return false;
    self[n] = 0;
    const std::string cmd = "QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen '" + std::string(self) +
                            "' --gtest_filter='" + filter + "' > /dev/null 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << "failed at ratio 2: " << cmd;
    return false;
}
