#include <algorithm>
#include <string>

#include "HostRunner.h"

namespace {
const ctl::Json* Result(const ctl::Json& j) {
    return j.find("result");
}

// The last {"result": [...]} line: what the "printed" command answered.
std::vector<ctl::Json> LastPrinted(const std::vector<ctl::Json>& out) {
    for (auto it = out.rbegin(); it != out.rend(); ++it)
        if (Result(*it) && Result(*it)->kind == ctl::Json::Array) return Result(*it)->items;
    return {};
}
}  // namespace

TEST(PrintedScript, ReadsBackTheLabelsOfTheChartInPrintingOrder) {
    auto out = RunHost(
        "[\"printed\"]\n"
        "[\"locale\", \"uk\"]\n"
        "[\"create\", \"Karvex.ucKarvex\", {\"width\": 9600, \"height\": 6200}]\n"
        "[\"let\", \"MinX\", \"01/01/2026\"]\n[\"let\", \"MaxX\", \"31/12/2026\"]\n"
        "[\"let\", \"UnitX\", 30]\n[\"let\", \"Title\", \"Sales\"]\n"
        "[\"call\", \"SetScaleUnit\"]\n[\"printed\"]\n");
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(ErrorNumber(out.front()), 91);  // no control yet
    auto printed = LastPrinted(out);
    ASSERT_GT(printed.size(), 10u);
    // Both labels of each printed X tick, below then above the plot; the rightmost is MaxX.
    std::vector<std::string> texts;
    for (const auto& p : printed) texts.push_back(p.find("text")->s);
    EXPECT_EQ(texts[0], "01/01/26");
    EXPECT_EQ(texts[1], "01/01/26");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "31/12/26"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "30/12/26"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "Sales"), texts.end());  // SetScaleUnit clears
    const auto& first = printed[0];
    EXPECT_EQ(first.find("y")->n, 6195 - 240 + 60);  // below the plot, in twips
    EXPECT_GE(first.find("x")->n, 0);
}

TEST(PrintedScript, ChartSavedWhileExitingPrintsItsFrameWhenLoaded) {
    std::string file = ::testing::TempDir() + "printed_flagexit.json";
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"width\": 6000, \"height\": 3000}]\n"
        "[\"let\", \"FlagExit\", true]\n"
        "[\"save\", \"" +
        file +
        "\"]\n"
        "[\"load\", \"Karvex.ucKarvex\", \"" +
        file +
        "\"]\n"
        "[\"get\", \"FlagExit\"]\n"
        "[\"call\", \"SetScaleUnit\"]\n[\"printed\"]\n"
        "[\"create\", \"Quorlin.ucvQuorlin\"]\n[\"printed\"]\n");
    auto printed = LastPrinted(out);
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(printed[0].find("text")->s, "0");
    bool rightmost = false;
    for (const auto& p : printed) rightmost |= p.find("text")->s == "100";
    EXPECT_TRUE(rightmost);
    EXPECT_EQ(ErrorNumber(out.back()), 438);  // the combo has no drawing surface
}
