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

namespace {
// The "result" of every line that has one, in order.
std::vector<std::string> Results(const std::vector<ctl::Json>& out) {
    std::vector<std::string> r;
    for (const auto& j : out)
        if (const ctl::Json* v = j.find("result"); v && v->kind != ctl::Json::Null)
            r.push_back(v->kind == ctl::Json::Object ? TextOf(*v) : v->dump());
    return r;
}
}  // namespace

TEST(SettingsDialogScript, DatesHaveTheDialogsOwnFormInEveryLocale) {
    for (const char* locale : {"us", "iso", "uk"}) {
        // 46027 is 5 January 2026, 46060 7 February.
        auto out = RunHost(std::string(R"(["locale", ")") + locale + R"("]
["today", 46188]
["create", "Karvex.ucKarvex", {"width": 6000, "height": 4000}]
["let", "MinX", {"date": 46027}]
["let", "MaxX", {"date": 46100}]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.vsMinX", "spin", 1], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.txtMaxX", "focus"], ["ui", "frmUnit.txtMaxX", "select", 0, 10], ["ui", "frmUnit.txtMaxX", "type", "07022026"], ["ui", "frmUnit.btnOK", "click"]]
["call", "EditScaleSetting", 1, ""]
["get", "MinX"]
["get", "MaxX"]
["get", "XAsDate"]
["let", "MinX", 46027]
["let", "MaxX", 50000]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMaxX"], ["ui", "frmUnit.chkDateX", "click"], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.txtMaxX"], ["ui", "frmUnit.btnOK", "click"]]
["call", "EditScaleSetting", 1, ""]
["get", "MinX"]
["get", "XAsDate"]
)");
        std::string all = Dump(out);
        EXPECT_EQ(all.find("prompt"), std::string::npos) << locale << "\n" << all;
        auto r = Results(out);
        ASSERT_EQ(r.size(), 11u) << locale << "\n" << all;
        EXPECT_EQ(r[1], "05/01/2026") << locale;  // shown day first
        EXPECT_EQ(r[2], "06/01/2026") << locale;  // spun a day on
        EXPECT_EQ(r[3], "46028") << locale;       // OK kept the spun day
        EXPECT_EQ(r[4], "46060") << locale;       // the typed day, read day first
        EXPECT_EQ(r[5], "true") << locale;
        // Grouped day numbers turn into their dates, not into days 46 and 50.
        EXPECT_EQ(r[6], "50,000") << locale;
        EXPECT_EQ(r[7], "05/01/2026") << locale;
        EXPECT_EQ(r[8], "21/11/2036") << locale;
        EXPECT_EQ(r[9], "46027") << locale;
        EXPECT_EQ(r[10], "true") << locale;
    }
}

TEST(SettingsDialogScript, FieldsKeepTheirValuesExactlyAndOverflowIsReported) {
    for (const char* locale : {"uk", "italian"}) {
        const bool it = locale == std::string("italian");
        auto out = RunHost(std::string(R"(["locale", ")") + locale + R"("]
["create", "Karvex.ucKarvex", {"width": 6000, "height": 4000}]
["let", "MinX", 1234567.5]
["let", "MaxX", 8388607]
["let", "MinY", 0.001]
["let", "MaxY", 0.004]
["let", "UnitX", 123456789]
["let", "UnitY", 2147483647]
["get", "MinX"]
["get", "MaxX"]
["get", "MinY"]
["get", "MaxY"]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMinY"], ["ui", "frmUnit.txtMaxY"], ["ui", "frmUnit.txtMinX", "focus"], ["ui", "frmUnit.txtUnitX", "focus"], ["ui", "frmUnit.txtUnitY", "focus"], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.txtUnitX"], ["ui", "frmUnit.btnOK", "click"], ["ui", "frmUnit.txtUnitY"]]
["call", "EditScaleSetting", 1, ""]
["get", "MinX"]
["get", "MaxX"]
["get", "MinY"]
["get", "MaxY"]
["get", "UnitX"]
["get", "UnitY"]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMaxX", "focus"], ["ui", "frmUnit.txtMaxX", "settext", "99999999999999999999999999999999999999999"], ["ui", "frmUnit.txtMinY", "focus"], ["ui", "frmUnit.txtMaxX"], ["ui", "frmUnit.txtMinY", "settext", "1e39"], ["ui", "frmUnit.btnOK", "click"], ["ui", "frmUnit.txtMinY"], ["ui", "frmUnit.btnCancel", "click"]]
["call", "EditScaleSetting", 1, ""]
["get", "MaxX"]
["get", "MinY"]
)");
        std::string all = Dump(out);
        auto r = Results(out);
        ASSERT_EQ(r.size(), 20u) << locale << "\n" << all;
        EXPECT_EQ(r[5], it ? "0,001" : "0.001") << locale;  // below the old two decimals
        EXPECT_EQ(r[6], it ? "0,004" : "0.004") << locale;
        EXPECT_EQ(r[7], it ? "1234567,5" : "1234567.5") << locale;  // left: not rounded
        EXPECT_EQ(r[8], it ? "123.456.789" : "123,456,789") << locale;
        EXPECT_EQ(r[9], it ? "2.147.483.647" : "2,147,483,647") << locale;  // left by the click
        for (size_t i = 1; i <= 4; ++i) EXPECT_EQ(r[9 + i], r[i]) << locale << i;
        EXPECT_EQ(r[14], "123456789") << locale;
        EXPECT_EQ(r[15], "2147483647") << locale;
        // Too large for the field: the text stays as typed, OK reports the overflow and writes
        // nothing wrong.
        EXPECT_EQ(r[16], std::string(41, '9')) << locale;
        EXPECT_EQ(r[17], "1e39") << locale;
        EXPECT_EQ(r[18], r[2]) << locale;
        EXPECT_EQ(r[19], r[3]) << locale;
        EXPECT_NE(all.find(R"("text":"Overflow)"), std::string::npos) << all;
    }
}
