#include <QImage>
#include <string>

#include "HostRunner.h"

namespace {
// Whether the output holds this line (compared as parsed JSON, so member order is free).
bool Has(const std::vector<ctl::Json>& out, const std::string& line) {
    auto want = ctl::Json::parse(line);
    EXPECT_TRUE(want) << line;
    for (const auto& j : out)
        if (want && j.dump() == want->dump()) return true;
    return false;
}
}  // namespace

TEST(ChartScript, PlotsAPointSeriesThroughTheHost) {
    std::string png = ::testing::TempDir() + "chart_script.png";
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"width\": 4800, \"height\": 3000}]\n"
        "[\"let\", \"MinX\", 0]\n[\"let\", \"MaxX\", 10]\n[\"let\", \"UnitX\", 2]\n"
        "[\"call\", \"SetScaleUnit\"]\n"
        "[\"call\", \"Point_Add\", 1, 10]\n[\"call\", \"Point_Add\", 9, 90]\n"
        "[\"call\", \"Point_Add\", 11, 5]\n"
        "[\"on\", \"StartDrawing\", [\"setarg\", 0, true]]\n[\"call\", \"Draw\"]\n"
        "[\"on\", \"StartDrawing\"]\n[\"call\", \"Draw\"]\n"
        "[\"get\", \"Point_Count\"]\n"
        "[\"snapshot\", \"" +
        png + "\"]\n");
    std::string all = Dump(out);
    EXPECT_TRUE(Has(
        out,
        R"({"error":{"number":1025,"description":"X: ''11''\rMinX: ''0''\rMaxX: ''10''\r\rThe X value is greater than MaxX assigned."}})"))
        << all;
    // cancelled once, then drawn to the end
    EXPECT_TRUE(Has(out, R"({"event":"StartDrawing","args":[false]})")) << all;
    EXPECT_TRUE(Has(out, R"({"result":false})")) << all;
    EXPECT_TRUE(Has(out, R"({"event":"FinishDrawing","args":[]})")) << all;
    EXPECT_TRUE(Has(out, R"({"result":2})")) << all;
    QImage img(QString::fromStdString(png));
    ASSERT_FALSE(img.isNull());
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) red += img.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 20);  // the plotted line, in the default red
}

TEST(ChartScript, SavedAtDesignTimeAndLoadedAtRunTime) {
    std::string file = ::testing::TempDir() + "chart_props.json";
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": false}]\n"
        "[\"let\", \"FlagExit\", true]\n"
        "[\"let\", \"Title\", \"  Levels  \"]\n[\"let\", \"MaxY\", 500]\n"
        "[\"save\", \"" +
        file +
        "\"]\n[\"terminate\"]\n"
        "[\"load\", \"Karvex.ucKarvex\", \"" +
        file +
        "\"]\n"
        "[\"get\", \"Title\"]\n[\"get\", \"MaxY\"]\n[\"get\", \"Point_Count\"]\n"
        "[\"load\", \"Quorlin.ucvQuorlin\", \"" +
        file + "\"]\n");
    std::string all = Dump(out);
    EXPECT_EQ(ErrorNumber(out[1]), 382) << all;
    EXPECT_TRUE(Has(out, R"({"result":"Levels"})")) << all;
    EXPECT_TRUE(Has(out, R"({"result":500})")) << all;
    EXPECT_TRUE(Has(out, R"({"result":0})")) << all;
    EXPECT_EQ(ErrorNumber(out.back()), 13) << all;  // a chart's file is no combo
}

// Mouse positions given in whole twips reach the events whole, whichever button and however
// they divide into pixels; MouseValueX reads the same point.
TEST(ChartScript, MousePositionsInWholeTwipsReadBackWhole) {
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"width\": 9600, \"height\": 6200}]\n"
        "[\"let\", \"LeftScale\", 0]\n[\"let\", \"BottomScale\", 0]\n"
        "[\"let\", \"MaxX\", 9600]\n[\"let\", \"MaxY\", 6200]\n[\"call\", \"SetScaleUnit\"]\n"
        "[\"popup\", null]\n"
        "[\"mouse\", \"up\", 2, 0, 4000, 3001]\n"
        "[\"mouse\", \"down\", 1, 0, 4000, 1234]\n"
        "[\"mouse\", \"up\", 1, 0, 7, 4001]\n");
    const std::string all = Dump(out);
    EXPECT_TRUE(Has(out, R"({"event":"MouseUp","args":[2,0,4000,3001]})")) << all;
    EXPECT_TRUE(Has(out, R"({"event":"MouseDown","args":[1,0,4000,1234]})")) << all;
    EXPECT_TRUE(Has(out, R"({"event":"MouseUp","args":[1,0,7,4001]})")) << all;
}
