// Hostile input through ctlhost: huge sizes, saves that fail, dates beyond the calendar,
// stored values that cannot be read, and event handlers that multiply.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

namespace {
int Count(const std::vector<Json>& out, int number) {
    int n = 0;
    for (const Json& j : out) n += ErrorNumber(j) == number;
    return n;
}
}  // namespace

TEST(ReliabilityScript, HandlersThatMultiplyAreCutShortOnce) {
    auto start = std::chrono::steady_clock::now();
    auto out = RunHost(
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": true}]\n"
        "[\"call\", \"AddItem\", \"a\", \"b\"]\n"
        "[\"on\", \"Click\", [\"let\", \"ListIndex\", 0], [\"let\", \"ListIndex\", 0], "
        "[\"let\", \"ListIndex\", 0]]\n"
        "[\"let\", \"ListIndex\", 0]\n"
        "[\"on\", \"Click\"]\n"
        "[\"let\", \"ListIndex\", 0]\n"
        "[\"echo\", \"done\"]\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ(Count(out, 28), 1);
    ASSERT_FALSE(out.empty());
    EXPECT_TRUE(out.back().find("echo"));
}

TEST(ReliabilityScript, AChartResizedBeyondAnyScreenAnswersAtOnce) {
    std::string shot = ::testing::TempDir() + "huge_chart.png";
    auto start = std::chrono::steady_clock::now();
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": true}]\n"
        "[\"resize\", 2147483647, 330]\n"
        "[\"call\", \"SetScaleUnit\"]\n"
        "[\"resize\", 2147483647, 2147483647]\n"
        "[\"resize\", 4800, 3600]\n"
        "[\"snapshot\", \"" +
        shot + "\"]\n[\"echo\", \"done\"]\n");
    // Before the surface was bounded this took minutes and gigabytes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    ASSERT_FALSE(out.empty());
    EXPECT_TRUE(out.back().find("echo"));
}

TEST(ReliabilityScript, FailedSavesAndBadDatesAreErrors) {
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": false}]\n"
        "[\"save\", \"/dev/full\"]\n"
        "[\"snapshot\", \"/dev/full\"]\n"
        "[\"let\", \"MinX\", {\"date\": 1e300}]\n"
        "[\"let\", \"MinX\", {\"date\": 3000000}]\n"
        "[\"today\", 1e300]\n");
    std::vector<int> numbers;
    for (const Json& j : out)
        if (ErrorNumber(j)) numbers.push_back(ErrorNumber(j));
    EXPECT_EQ(numbers, (std::vector<int>{61, 61, 6, 6, 6}));
}

TEST(ReliabilityScript, AStoredValueThatCannotBeReadIsSkippedAlone) {
    std::string file = ::testing::TempDir() + "bad_picture.json";
    std::ofstream(file) << R"({"class": "Karvex.ucKarvex", "properties": {
        "Picture": {"picture": "bm90IGFuIGltYWdl"},
        "MinX": {"date": 1e300},
        "Title": "still here"}})";
    auto out = RunHost("[\"load\", \"Karvex.ucKarvex\", \"" + file +
                       "\", {\"userMode\": true}]\n"
                       "[\"get\", \"Title\"]\n");
    std::vector<std::string> results;
    for (const Json& j : out)
        if (const Json* r = j.find("result")) results.push_back(r->s);
    EXPECT_EQ(results, (std::vector<std::string>{"Karvex.ucKarvex", "still here"}));
    EXPECT_EQ(Count(out, 481), 0);
}

TEST(ReliabilityScript, HandlersNestedTooDeepAreSaidOnceAndBadFilesAndEmptyWindowsNamed) {
    // A handler that raises its own event again: cut at the depth limit, with one error line.
    auto out = RunHost(
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": true}]\n"
        "[\"call\", \"AddItem\", \"a\", \"b\"]\n"
        "[\"call\", \"AddItem\", \"c\", \"d\"]\n"
        "[\"on\", \"Click\", [\"let\", \"ListIndex\", 1], [\"let\", \"ListIndex\", 0]]\n"
        "[\"let\", \"ListIndex\", 0]\n"
        "[\"on\", \"Click\"]\n"
        "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": true}]\n"
        "[\"let\", \"Width\", -5]\n"
        "[\"snapshot\", \"" +
        ::testing::TempDir() + "nothing.png\"]\n");
    EXPECT_EQ(Count(out, 28), 1) << Dump(out);
    std::string snapshotError;
    for (const Json& j : out)
        if (ErrorNumber(j) == 5) snapshotError = j.find("error")->find("description")->s;
    EXPECT_NE(snapshotError.find("no area"), std::string::npos) << Dump(out);

    std::string list = ::testing::TempDir() + "not_a_form.json";
    std::ofstream(list) << "[1, 2, 3]";
    out = RunHost("[\"load\", \"Karvex.ucKarvex\", \"" + list + "\"]\n");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].find("error")->find("description")->s,
              "Property file is not valid: it holds no object of properties");
}

TEST(ReliabilityScript, AScriptThatCannotBeReadFailsTheRun) {
    const char* exe = std::getenv("CTLHOST");
    ASSERT_TRUE(exe);
    const std::string cmd = std::string(exe) + " " + ::testing::TempDir() + " 2>/dev/null";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[4096] = {};
    std::string text;
    while (fgets(buf, sizeof buf, p)) text += buf;
    const int status = pclose(p);
    EXPECT_NE(text.find("File not found"), std::string::npos) << text;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
}
