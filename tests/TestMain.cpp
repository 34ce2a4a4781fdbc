#include <gtest/gtest.h>

#include <cstdlib>

#include "PgServer.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

namespace {
// The throw-away database server, when a test started it, ends with the test program (passed
// or failed; its watchdog covers a crash).
struct ServerEnvironment : ::testing::Environment {
    void TearDown() override { PgServer::StopShared(); }
};
}  // namespace

// Every test program runs headless with a fixed locale, so results never depend on the machine.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ctl::EnsureApplication();
    ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ServerEnvironment);
    return RUN_ALL_TESTS();
}
