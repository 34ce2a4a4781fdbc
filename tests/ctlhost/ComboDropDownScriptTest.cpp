// The combo's keys, mouse and drop-down list driven through ctlhost as a user would: children
// by design name, the drop-down form as "Window", timer ticks by waiting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

namespace {
// A stored control of the style, loaded at run time, with four rows.
std::string Loaded(int style, const std::string& name) {
    std::string file = ::testing::TempDir() + name + ".json";
    return "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": false}]\n"
           "[\"let\", \"Style\", " +
           std::to_string(style) +
           "]\n"
           "[\"save\", \"" +
           file +
           "\"]\n"
           "[\"load\", \"Quorlin.ucvQuorlin\", \"" +
           file +
           "\", {\"userMode\": true}]\n"
           "[\"call\", \"AddItem\", \"IT\", \"Italy\"]\n"
           "[\"call\", \"AddItem\", \"FR\", \"France\"]\n"
           "[\"call\", \"AddItem\", \"DE\", \"Germany\"]\n"
           "[\"call\", \"AddItem\", \"ES\", \"Spain\"]\n";
}

int Events(const std::vector<Json>& lines, const std::string& name) {
    int n = 0;
    for (const Json& j : lines)
        if (const Json* e = j.find("event")) n += e->s == name;
    return n;
}
// The value of the last result line of a section.
Json LastResult(const std::vector<Json>& lines) {
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (const Json* r = it->find("result")) return *r;
    return Json();
}
double Field(const Json& state, const char* key) {
    const Json* f = state.find(key);
    return f ? f->n : -1e9;
}
}  // namespace

TEST(ComboDropDownScript, CellsFillMoveAndClearTheSelection) {
    auto out = RunHost(Loaded(0, "cells") +
                       "[\"let\", \"AutoFill\", true]\n"
                       "[\"echo\", \"fill\"]\n"
                       "[\"ui\", \"txtCol1\", \"focus\"]\n"
                       "[\"ui\", \"txtCol1\", \"type\", \"a\"]\n"
                       "[\"ui\", \"txtCol1\", \"key\", 13]\n"
                       "[\"ui\", \"txtCol2\", \"type\", \"b\"]\n"
                       "[\"ui\", \"txtCol2\", \"key\", 13]\n"
                       "[\"get\", \"ListCount\"]\n"
                       "[\"ui\", \"txtCol1\"]\n"
                       "[\"echo\", \"moves\"]\n"
                       "[\"let\", \"AutoFill\", false]\n"
                       "[\"ui\", \"txtCol1\", \"key\", 40]\n"
                       "[\"ui\", \"txtCol1\", \"key\", 40]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"let\", \"ListIndex\", 4]\n"
                       "[\"ui\", \"txtCol2\", \"key\", 33]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"echo\", \"typing\"]\n"
                       "[\"ui\", \"txtCol2\", \"type\", \"x\"]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"echo\", \"end\"]\n");
    auto fill = Section(out, "fill");
    EXPECT_EQ(Events(fill, "Filled"), 1);
    ASSERT_GE(fill.size(), 2u);
    EXPECT_EQ(fill[fill.size() - 2].find("result")->n, 5);  // the row ('a', 'b') appended
    Json cell = LastResult(fill);
    EXPECT_EQ(cell.find("text")->s, "");
    EXPECT_TRUE(cell.find("focus")->b);

    auto moves = Section(out, "moves");
    EXPECT_EQ(Events(moves, "Click"), 4);  // two Downs, the assignment and PageUp
    std::vector<double> indexes;
    for (const Json& j : moves)
        if (const Json* r = j.find("result"); r && r->kind == Json::Number) indexes.push_back(r->n);
    EXPECT_EQ(indexes, (std::vector<double>{1, 0}));  // Down twice; PageUp from 4

    auto typing = Section(out, "typing");
    EXPECT_EQ(Events(typing, "Click"), 0);
    EXPECT_EQ(Events(typing, "KeyPress"), 1);
    EXPECT_EQ(LastResult(typing).n, -1);
}

TEST(ComboDropDownScript, PickEscapeAndLockedThroughTheWindow) {
    auto out = RunHost(Loaded(0, "pick") +
                       "[\"let\", \"ListIndex\", 1]\n"
                       "[\"echo\", \"escape\"]\n"
                       "[\"ui\", \"imgCombo\", \"click\"]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 40]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 40]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 27]\n"
                       "[\"wait\", 250]\n"
                       "[\"ui\", \"Window.lstCol2\"]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"echo\", \"enter\"]\n"
                       "[\"ui\", \"imgCombo\", \"click\"]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 40]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 13]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"wait\", 150]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"get\", \"Text\"]\n"
                       "[\"echo\", \"locked\"]\n"
                       "[\"let\", \"Locked\", true]\n"
                       "[\"ui\", \"imgCombo\", \"click\"]\n"
                       "[\"ui\", \"Window\"]\n"
                       "[\"ui\", \"Window.lstCol1\", \"mouse\", \"down\", 1, 0, 100, 10]\n"
                       "[\"wait\", 250]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"echo\", \"end\"]\n");
    auto escape = Section(out, "escape");
    EXPECT_EQ(Events(escape, "Click"), 0);
    EXPECT_EQ(LastResult(escape).n, 1);
    ASSERT_GE(escape.size(), 2u);
    EXPECT_EQ(Field(*escape[escape.size() - 2].find("result"), "listIndex"), 1);  // restored

    auto enter = Section(out, "enter");
    std::vector<Json> results;
    for (const Json& j : enter)
        if (const Json* r = j.find("result"); r && r->kind != Json::Null) results.push_back(*r);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].n, 1);  // not before the timer's tick
    EXPECT_EQ(results[1].n, 2);  // within one tick
    EXPECT_EQ(results[2].s, "DE\tGermany");
    EXPECT_EQ(Events(enter, "Click"), 1);

    auto locked = Section(out, "locked");
    for (const Json& j : locked) {
        if (const Json* r = j.find("result"); r && r->kind == Json::Object) {
            EXPECT_TRUE(r->find("visible")->b);  // it opens all the same
        }
    }
    EXPECT_EQ(Events(locked, "Click"), 0);
    EXPECT_EQ(LastResult(locked).n, 2);
}

TEST(ComboDropDownScript, OpensAboveNearTheBottomAndLeftWithTheFirstColumnHidden) {
    auto out = RunHost(Loaded(2, "place") +
                       "[\"echo\", \"screen\"]\n"
                       "[\"moveform\", 3000, 0]\n"
                       "[\"echo\", \"bottom\"]\n"
                       "[\"ui\", \"lblCol2\", \"click\"]\n"
                       "[\"ui\", \"Window\"]\n"
                       "[\"ui\", \"lblCol2\", \"click\"]\n"
                       "[\"ui\", \"lblCol2\"]\n"
                       "[\"echo\", \"hidden\"]\n"
                       "[\"moveform\", 3000, 1500]\n"
                       "[\"echo\", \"hidden open\"]\n"
                       "[\"ui\", \"lblCol1\", \"click\"]\n"
                       "[\"ui\", \"Window\"]\n"
                       "[\"echo\", \"end\"]\n");
    Json screen = LastResult(Section(out, "screen"));
    double height = Field(screen, "screenHeight");
    ASSERT_GT(height, 3000);
    // The lists below must fit beside the form without meeting the screen's right edge (an
    // offscreen screen at twice the density is only 400 pixels wide).
    if (Field(screen, "screenWidth") < 9000) GTEST_SKIP() << "the screen is too narrow";
    // The same script again with the form near the bottom and then the first column hidden.
    auto script = Loaded(2, "place2") + "[\"moveform\", 3000, " +
                  std::to_string(int(height) - 900) +
                  "]\n"
                  "[\"echo\", \"bottom\"]\n"
                  "[\"ui\", \"lblCol2\", \"click\"]\n"
                  "[\"ui\", \"Window\"]\n"
                  "[\"ui\", \"lblCol2\"]\n"
                  "[\"ui\", \"lblCol2\", \"click\"]\n"
                  "[\"echo\", \"shown\"]\n"
                  "[\"moveform\", 3000, 1500]\n"
                  "[\"ui\", \"lblCol2\", \"click\"]\n"
                  "[\"ui\", \"Window\"]\n"
                  "[\"ui\", \"lblCol2\", \"click\"]\n"
                  "[\"echo\", \"hidden\"]\n"
                  "[\"let\", \"WidthCol1\", 0]\n"
                  "[\"ui\", \"lblCol2\", \"click\"]\n"
                  "[\"ui\", \"Window\"]\n"
                  "[\"echo\", \"end\"]\n";
    out = RunHost(script);
    auto bottom = Section(out, "bottom");
    std::vector<Json> states;
    for (const Json& j : bottom)
        if (const Json* r = j.find("result"); r && r->kind == Json::Object) states.push_back(*r);
    ASSERT_EQ(states.size(), 2u);
    // The list ends where the label (and the control) begins.
    double labelTop = height - 900;
    EXPECT_LE(Field(states[0], "top") + Field(states[0], "height"), labelTop + 60);
    EXPECT_LT(Field(states[0], "top"), labelTop - 1000);

    Json shown = LastResult(Section(out, "shown"));
    Json hidden = LastResult(Section(out, "hidden"));
    EXPECT_NEAR(Field(hidden, "left"), Field(shown, "left") - 1100, 15);
}
