#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Json.h"

using ctl::Json;

namespace {
// Runs ctlhost with the given script on standard input; returns its output lines parsed.
std::vector<Json> RunHost(const std::string& script) {
    const char* exe = std::getenv("CTLHOST");
    EXPECT_TRUE(exe) << "CTLHOST is not set";
    if (!exe) return {};
    std::string in = ::testing::TempDir() + "ctlhost_in.jsonl";
    std::ofstream(in) << script;
    std::string cmd = std::string(exe) + " < " + in + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    std::vector<Json> out;
    char buf[65536];
    while (fgets(buf, sizeof buf, p)) {
        auto j = Json::parse(buf);
        EXPECT_TRUE(j) << "not JSON: " << buf;
        if (j) out.push_back(*j);
    }
    EXPECT_EQ(pclose(p), 0) << "ctlhost did not exit cleanly";
    return out;
}
int ErrorNumber(const Json& j) {
    const Json* e = j.find("error");
    return e && e->find("number") ? int(e->find("number")->n) : 0;
}
}  // namespace

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
