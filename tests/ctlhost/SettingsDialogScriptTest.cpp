// The chart's settings dialog filled and closed by a script, inside its modal loop.
#include <QImage>
#include <string>

#include "HostRunner.h"

namespace {
// The state answers of "ui" (results that are objects), in order.
std::vector<ctl::Json> States(const std::vector<ctl::Json>& out) {
    std::vector<ctl::Json> states;
    for (const auto& j : out)
        if (const ctl::Json* r = j.find("result"); r && r->kind == ctl::Json::Object)
            states.push_back(*r);
    return states;
}
std::string TextOf(const ctl::Json& state) {
    const ctl::Json* t = state.find("text");
    return t ? t->s : "<no text>";
}
bool Has(const std::vector<ctl::Json>& out, const std::string& line) {
    auto want = ctl::Json::parse(line);
    for (const auto& j : out)
        if (want && j.dump() == want->dump()) return true;
    return false;
}
}  // namespace

TEST(SettingsDialogScript, FilledDrawnAndClosedFromTheScript) {
    std::string png = ::testing::TempDir() + "settings_dialog.png";
    auto out = RunHost(
        R"(["create", "Karvex.ucKarvex", {"width": 6000, "height": 4000}]
["today", "15/06/2026"]
["let", "MinX", 0.25]
["let", "MaxX", 1234]
["let", "MinY", -0.5]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.txtMaxX"], ["ui", "frmUnit.txtMinY"], ["snapshot", ")" +
        png +
        R"(", "frmUnit"], ["ui", "frmUnit.chkDateX", "click"], ["ui", "frmUnit.txtMinX", "select", 0, 10], ["ui", "frmUnit.txtMinX", "type", "31122029"], ["ui", "frmUnit.txtMinX", "focus"], ["ui", "frmUnit.txtMinX", "select", 9, 0], ["ui", "frmUnit.txtMinX", "key", 37, 0], ["ui", "frmUnit.txtMinX", "type", "20"], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.vsMinX", "spin", 1], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.txtUnitX", "settext", "-3"], ["ui", "frmUnit.txtMaxX", "settext", "12"], ["ui", "frmUnit.btnDraw", "click"], ["ui", "frmUnit.txtMaxX"], ["ui", "frmUnit.txtMaxX", "type", "a"], ["ui", "frmUnit.txtMaxX", "settext", "31/12/2030"], ["ui", "frmUnit.btnDraw", "click"], ["ui", "frmUnit.btnCancel"], ["ui", "frmUnit", "close"]]
["call", "EditScaleSetting", 1, ""]
["get", "UnitX"]
["get", "XAsDate"]
["get", "MinX"]
["ondialog", "frmUnit", ["ui", "frmUnit"], ["ui", "frmUnit.btnOK", "click"]]
["call", "EditScaleSetting", 0, "Levels"]
["ondialog", "frmUnit", ["echo", "left open"]]
["call", "EditScaleSetting"]
["echo", "end"]
)");
    std::string all = Dump(out);
    auto states = States(out);
    ASSERT_EQ(states.size(), 8u) << all;
    EXPECT_EQ(TextOf(states[0]), "0.25") << all;
    EXPECT_EQ(TextOf(states[1]), "1,234") << all;
    EXPECT_EQ(TextOf(states[2]), "-0.5") << all;
    EXPECT_EQ(TextOf(states[3]), "31/12/2020") << all;  // typed over the mask
    EXPECT_EQ(TextOf(states[4]), "01/01/2021") << all;  // spun a day on
    // The bad date was cleared (back to the mask) and has the focus.
    EXPECT_EQ(TextOf(states[5]), "__/__/____") << all;
    EXPECT_TRUE(states[5].find("focus")->b) << all;
    EXPECT_EQ(states[6].find("caption")->s, "Close") << all;
    // The modeless dialog: its caption, and a top-level window's place on the screen.
    EXPECT_EQ(states[7].find("caption")->s, "Levels: Coordinate System settings") << all;
    EXPECT_EQ(states[7].find("width")->n, 6900) << all;
    EXPECT_EQ(states[7].find("height")->n, 3585) << all;

    EXPECT_NE(all.find(R"("icon":"exclamation","prompt":"msgbox","text":"Invalid Date.")"),
              std::string::npos)
        << all;
    EXPECT_TRUE(Has(out, R"({"beep":true})")) << all;
    // Draw asked SetScaleUnit for a redraw; the close command then left the settings as drawn.
    EXPECT_TRUE(Has(out, R"({"event":"ChangeScaleSetting","args":[false]})")) << all;
    EXPECT_TRUE(Has(out, R"({"result":1})")) << all;     // unit "-3" became 1
    EXPECT_TRUE(Has(out, R"({"result":true})")) << all;  // the X axis reads dates
    EXPECT_TRUE(Has(out, R"({"result":44197})")) << all;
    // OK from the modeless dialog: the host hears of it, with a redraw due.
    EXPECT_TRUE(Has(out, R"({"event":"ChangeScaleSetting","args":[true]})")) << all;
    // A dialog the script leaves open is closed rather than left hanging.
    EXPECT_NE(all.find("still open after its ondialog commands"), std::string::npos) << all;
    EXPECT_EQ(out.back().dump(), R"({"echo":"end"})") << all;

    QImage img(QString::fromStdString(png));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 6900 / 15);
}
