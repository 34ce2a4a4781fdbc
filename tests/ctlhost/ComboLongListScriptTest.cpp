// A combo holding 100,000 rows, driven through ctlhost: every row can be picked from the
// drop-down list, read, changed and removed; the list can be scrolled whichever column shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

namespace {
constexpr int kRows = 100000;

std::string Filled() {
    std::string script = "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": true}]\n";
    script.reserve(size_t(kRows) * 48);
    for (int i = 0; i < kRows; ++i)
        script += "[\"call\", \"AddItem\", \"c" + std::to_string(i) + "\", \"row " +
                  std::to_string(i) + "\", " + std::to_string(i) + "]\n";
    return script + "[\"echo\", \"filled\"]\n";
}

}  // namespace

TEST(ComboLongListScript, TheLastOfAHundredThousandRowsIsPickedReadAndRemoved) {
    auto out = RunHost(Filled() +
                       "[\"echo\", \"pick\"]\n"
                       "[\"let\", \"ListIndex\", 99998]\n"
                       "[\"ui\", \"imgCombo\", \"click\"]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 40]\n"
                       "[\"ui\", \"Window.lstCol1\", \"key\", 13]\n"
                       "[\"wait\", 300]\n"
                       "[\"echo\", \"read\"]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"get\", \"Text\"]\n"
                       "[\"get\", \"List\", 99999]\n"
                       "[\"get\", \"ItemData\", 40000]\n"
                       "[\"let\", \"List\", 40000, \"x;y\"]\n"
                       "[\"call\", \"ListCol\", 2, 40000]\n"
                       "[\"call\", \"RemoveItem\", 99999]\n"
                       "[\"get\", \"ListCount\"]\n"
                       "[\"get\", \"ListIndex\"]\n"
                       "[\"get\", \"List\", 4294967296]\n"
                       "[\"echo\", \"scroll\"]\n"
                       "[\"let\", \"WidthCol2\", 0]\n"
                       "[\"ui\", \"imgCombo\", \"click\"]\n"
                       "[\"ui\", \"Window.lstCol1\"]\n"
                       "[\"echo\", \"end\"]\n");
    auto pick = Section(out, "pick");
    int clicks = 0;
    for (const Json& j : pick)
        if (const Json* e = j.find("event")) clicks += e->s == "Click";
    EXPECT_EQ(clicks, 2) << Dump(pick);  // the assignment, then the pick handed back

    std::vector<Json> read;
    for (const Json& j : Section(out, "read"))
        if (j.find("result") || j.find("error")) read.push_back(j);
    ASSERT_EQ(read.size(), 10u) << Dump(read);
    EXPECT_EQ(read[0].find("result")->n, 99999);
    EXPECT_EQ(read[1].find("result")->s, "c99999\trow 99999");
    EXPECT_EQ(read[2].find("result")->s, "c99999\trow 99999");
    EXPECT_EQ(read[3].find("result")->n, 40000);
    EXPECT_EQ(read[5].find("result")->s, "y");
    EXPECT_EQ(read[7].find("result")->n, 99999);
    EXPECT_EQ(read[8].find("result")->n, -1);  // the removed row was the selected one
    EXPECT_EQ(ErrorNumber(read[9]), 6);        // beyond 32 bits: overflow

    auto scroll = Section(out, "scroll");
    ASSERT_FALSE(scroll.empty());
    const Json* state = scroll.back().find("result");
    ASSERT_TRUE(state && state->kind == Json::Object) << Dump(scroll);
    EXPECT_TRUE(state->find("visible")->b);
    EXPECT_TRUE(state->find("scrollBar")->b);
}
