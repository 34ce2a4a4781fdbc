// Menus through the script host: several charts on two forms, the system menu, a pop-up,
// "Always on top", a chart taking a form over, and the about box of each library.
#include <string>

#include "HostRunner.h"

namespace {
// A map-mode chart saved at design time and loaded at run time (the store and menus come up as
// a form loads them), with the load's options.
std::string MapChartLoaded(const std::string& name, const std::string& options) {
    const std::string file = ::testing::TempDir() + name;
    return "[\"create\", \"Karvex.ucKarvex\", {\"userMode\": false}]\n"
           "[\"let\", \"MapStyle\", 0]\n"
           "[\"save\", \"" +
           file +
           "\"]\n"
           "[\"load\", \"Karvex.ucKarvex\", \"" +
           file + "\", " + options + "]\n";
}
// The lines with this member, in order.
std::vector<ctl::Json> With(const std::vector<ctl::Json>& out, const char* member) {
    std::vector<ctl::Json> found;
    for (const auto& j : out)
        if (j.find(member)) found.push_back(j);
    return found;
}
// The ids of a "sysmenu" answer from 1100 on, with a * for a separator and a + for a check.
std::string MirrorIds(const ctl::Json& result) {
    std::string s;
    for (const auto& i : result.items) {
        const int id = int(i.find("id")->n);
        if (id < 1100 || id > 1114) continue;  // the form's own items
        if (i.find("separator")->b) s += "*";
        s += std::to_string(id);
        if (i.find("checked")->b) s += "+";
        s += " ";
    }
    return s;
}
}  // namespace

TEST(MenuScript, ChartsOnTwoFormsWithTheirMenus) {
    auto out =
        RunHost(MapChartLoaded("menu_map.json", "{\"name\": \"map\", \"form\": \"One\"}") +
                "[\"sysmenu\"]\n"
                "[\"popup\", null]\n"
                "[\"mouse\", \"up\", 2, 0, 600, 600]\n"
                "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"scale\", \"form\": \"Two\"}]\n"
                "[\"syscommand\", 1114]\n"
                "[\"topmost\"]\n"
                "[\"sysmenu\"]\n"
                "[\"use\", \"map\"]\n"
                "[\"topmost\"]\n"
                "[\"sysmenu\"]\n"
                "[\"call\", \"EditScaleSetting\"]\n"
                "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"second\", \"form\": \"One\"}]\n"
                "[\"sysmenu\"]\n"
                "[\"use\", \"nobody\"]\n");
    const std::string all = Dump(out);
    auto results = With(out, "result");
    std::vector<ctl::Json> menus;
    std::vector<bool> topmost;
    for (const auto& r : results) {
        const ctl::Json* v = r.find("result");
        if (v->kind == ctl::Json::Array) menus.push_back(*v);
        if (v->kind == ctl::Json::Bool) topmost.push_back(v->b);
    }
    ASSERT_EQ(menus.size(), 4u) << all;
    EXPECT_EQ(MirrorIds(menus[0]),
              "*1100 *1101 1102 1103 *1104 1105 1106 *1107 1108 1109 *1114 *1111 ")
        << all;
    EXPECT_EQ(MirrorIds(menus[1]), "*1100 *1110 1104 *1114+ ") << all;
    EXPECT_EQ(MirrorIds(menus[2]),
              "*1100 *1101 1102 1103 *1104 1105 1106 *1107 1108 1109 *1114 *1111 ")
        << all;
    EXPECT_EQ(MirrorIds(menus[3]), "*1100 *1110 1104 *1114 ") << all;  // taken over
    // The first is the answer of "save".
    EXPECT_EQ(topmost, (std::vector<bool>{true, true, false})) << all;

    auto popups = With(out, "popup");
    ASSERT_EQ(popups.size(), 1u) << all;
    const ctl::Json& entries = *popups[0].find("popup");
    ASSERT_EQ(entries.items.size(), 18u);
    EXPECT_EQ(entries.items[2].find("caption")->s, "Draw Track");
    EXPECT_TRUE(entries.items[2].find("default")->b);
    EXPECT_EQ(popups[0].find("chosen")->kind, ctl::Json::Null);

    auto errors = With(out, "error");
    ASSERT_EQ(errors.size(), 2u) << all;
    EXPECT_EQ(ErrorNumber(errors[0]), 1032);
    EXPECT_EQ(ErrorNumber(errors[1]), 91);
}

TEST(MenuScript, EachLibrarysAboutBoxIsReported) {
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"chart\"}]\n"
        "[\"call\", \"About\"]\n"
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"name\": \"combo\"}]\n"
        "[\"call\", \"About\"]\n"
        "[\"use\", \"chart\"]\n"
        "[\"syscommand\", 1100]\n");
    const std::string all = Dump(out);
    auto prompts = With(out, "prompt");
    ASSERT_EQ(prompts.size(), 3u) << all;
    for (const auto& p : prompts) {
        EXPECT_EQ(p.find("prompt")->s, "about");
        EXPECT_EQ(p.find("title")->s, "About");
        EXPECT_EQ(p.find("links")->items.size(), 2u);
        EXPECT_EQ(p.find("interval")->n, 0);
        EXPECT_FALSE(p.find("modeless")->b);
    }
    const std::string chart = prompts[0].find("text")->s, combo = prompts[1].find("text")->s;
    EXPECT_NE(chart.find("Karvex -  version 1.1.0\r"), std::string::npos) << chart;
    EXPECT_NE(chart.find("Copyright © 2026 "), std::string::npos) << chart;
    EXPECT_NE(combo.find("Quorlin  \u2013  version 1.1\r"), std::string::npos) << combo;
    EXPECT_NE(combo.find("Copyright © 2024, 2025, 2026 "), std::string::npos) << combo;
    EXPECT_EQ(prompts[2].find("text")->s, chart);  // the system-menu entry "About..."
}

TEST(MenuScript, SwitchingToTheCoordinateSystemRebuildsTheMenu) {
    auto out = RunHost(MapChartLoaded("menu_switch.json", "{\"name\": \"chart\"}") +
                       "[\"popup\", \"Switch to Coordinate System mode\"]\n"
                       "[\"mouse\", \"up\", 2, 0, 600, 600]\n"
                       "[\"get\", \"MapStyle\"]\n"
                       "[\"sysmenu\"]\n");
    const std::string all = Dump(out);
    auto popups = With(out, "popup");
    ASSERT_EQ(popups.size(), 1u) << all;
    EXPECT_EQ(popups[0].find("chosen")->s, "Switch to Coordinate System mode");
    auto results = With(out, "result");
    ASSERT_GE(results.size(), 2u) << all;
    EXPECT_EQ(results[results.size() - 2].find("result")->n, 1) << all;
    EXPECT_EQ(MirrorIds(*results.back().find("result")), "*1100 *1110 1104 *1114 ") << all;
}
