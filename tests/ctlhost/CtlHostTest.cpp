#include <gtest/gtest.h>

#include "HostRunner.h"
#include "platform/com/Json.h"

using ctl::Json;

TEST(CtlHost, BadInputGivesErrorLinesAndTheHostGoesOn) {
    auto out = RunHost(
        "not json\n"
        "[]\n"
        "[42]\n"
        "[\"frobnicate\"]\n"
        "[\"get\", \"MinX\"]\n"
        "[\"create\", \"Nowhere.Thing\"]\n"
        "[\"create\", \"../../etc.passwd\"]\n"
        "[\"load\", \"Karvex.ucKarvex\", \"/no/such/file.json\"]\n"
        "[\"setarg\", 0, true]\n"
        "[\"answer\", \"msgbox\", \"yes\"]\n"
        "# a comment\n"
        "\n"
        "[\"echo\", \"still here\"]\n");
    ASSERT_EQ(out.size(), 11u);
    for (size_t i = 0; i < 10; ++i) EXPECT_NE(ErrorNumber(out[i]), 0) << out[i].dump();
    EXPECT_EQ(ErrorNumber(out[4]), 91);
    EXPECT_EQ(ErrorNumber(out[5]), 429);
    EXPECT_EQ(out[10].dump(), R"({"echo":"still here"})");
}

TEST(CtlHost, EndingTheControlFromInsideItsOwnCallIsSafe) {
    // The drawing yields to events; the queued terminate runs in the middle of it.
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\"]\n"
        "[\"call\", \"Point_Add\", 0, 0]\n[\"call\", \"Point_Add\", 100, 100]\n"
        "[\"let\", \"Delay\", 20]\n[\"let\", \"BaseStep\", 30]\n"
        "[\"after\", 5, [\"terminate\"]]\n"
        "[\"call\", \"Draw\"]\n"
        "[\"get\", \"MinX\"]\n"
        "[\"echo\", \"alive\"]\n");
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out.back().dump(), R"({"echo":"alive"})");
    EXPECT_EQ(ErrorNumber(out[out.size() - 2]), 91);  // the control is gone afterwards
}
