// The combo driven through ctlhost by member name, as a host application would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

TEST(ComboScript, DesignedSavedLoadedFilledAndReadBack) {
    std::string file = ::testing::TempDir() + "combo_script.json";
    auto out = RunHost(
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": false}]\n"
        "[\"let\", \"Style\", 3]\n"
        "[\"let\", \"Style\", 1]\n"
        "[\"let\", \"WidthCol1\", 1500]\n"
        "[\"save\", \"" +
        file +
        "\"]\n"
        "[\"load\", \"Quorlin.ucvQuorlin\", \"" +
        file +
        "\", {\"userMode\": true}]\n"
        "[\"get\", \"Style\"]\n"
        "[\"get\", \"WidthCol1\"]\n"
        "[\"call\", \"AddItem\", \"IT\", \"Italy\", 39]\n"
        "[\"call\", \"AddItem\", \"FR\", \"France\"]\n"
        "[\"call\", \"AddItem\", \"it\", \"FRANCE\", 7]\n"
        "[\"get\", \"ListCount\"]\n"
        "[\"get\", \"NewIndex\"]\n"
        "[\"get\", \"List\", 0]\n"
        "[\"get\", \"ItemData\", 1]\n"
        "[\"call\", \"ListCol\", 2, 0]\n"
        "[\"let\", \"ListIndex\", 1]\n"
        "[\"call\", \"TextCol\", 1]\n"
        "[\"get\", \"ItemData\", 2]\n"
        "[\"let\", \"Style\", 0]\n");
    // Property-changed lines depend on layout details; everything else is exact.
    std::vector<std::string> lines;
    for (const Json& j : out)
        if (!j.find("changed")) lines.push_back(j.dump());
    const std::vector<std::string> want = {
        R"({"result":"Quorlin.ucvQuorlin"})",
        R"({"prompt":"msgbox","text":"Illegal value style","icon":"critical","buttons":"ok",)"
        R"("default":1,"title":"Quorlin","answer":"1"})",
        R"({"result":null})",  // the refused style
        R"({"result":null})",  // Style 1
        R"({"result":null})",  // WidthCol1
        R"({"result":true})",  // saved
        R"({"result":"Quorlin.ucvQuorlin"})",
        R"({"result":1})",
        R"({"result":1500})",
        R"({"result":null})",
        R"({"result":null})",
        R"({"beep":true})",    // the refused row beeps
        R"({"result":null})",  // ("it", "FRANCE") is refused: each cell is already in its column
        R"({"result":2})",
        R"({"result":1})",
        R"({"result":"IT\tItaly"})",
        R"({"result":0})",  // the optional ID defaults to 0
        R"({"result":"Italy"})",
        R"({"event":"Click","args":[]})",
        R"({"result":null})",
        R"({"result":"FR"})",
        R"({"error":{"number":6,"description":"Item '2' do not exist"}})",
        R"({"error":{"number":7,"description":"Can't assign to read-only property"}})",
    };
    std::vector<std::string> expected;  // in the parser's own key order
    for (const std::string& w : want) expected.push_back(Json::parse(w)->dump());
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ErrorNumber(out.back()), 7);
}
