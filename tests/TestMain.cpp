#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

// Every test program runs headless with a fixed locale, so results never depend on the machine.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
