// The settings dialog opened on many charts in four locales: OK, Tab through every field then
// OK, and Draw then Cancel must each leave every setting exactly as it was.
#include <string>
#include <vector>

#include "HostRunner.h"

namespace {

struct Start {
    const char* what;
    // JSON values for MinX, MaxX, MinY, MaxY, UnitX, UnitY.
    const char* minX;
    const char* maxX;
    const char* minY;
    const char* maxY;
    const char* unitX;
    const char* unitY;
    const char* extra = "";  // more "let" lines
};

// 46027 is 5 January 2026: a day that reads as 1 May month first.
const Start kStarts[] = {
    {"fractions", "0.25", "1234", "-0.5", "99.75", "3", "10"},
    {"below two decimals", "0.001", "0.004", "-0.004", "1e-30", "1", "1"},
    {"seven digits and more", "1234567.5", "8388607.5", "-1234.5678", "0.1", "123456789",
     "2147483647"},
    {"thirds", "-0.33333334", "0.6666667", "-1e-45", "1.0e-20", "7", "1000"},
    {"extremes", "-3.4028234663852886e38", "3.4028234663852886e38", "-1e16", "1e16", "2147483647",
     "2147483647"},
    {"whole numbers", "-46027", "46027", "1000", "16777217", "1000000", "5"},
    {"negatives", "-1e10", "-1500", "-99.75", "-0.001", "2", "3"},
    {"date X", R"({"date": 46027})", R"({"date": 46100})", "0", "100", "30", "10"},
    {"dates on both axes", R"({"date": 46027.75})", R"({"date": 46390})", R"({"date": 2})",
     R"({"date": 13.5})", "1", "90"},
    {"calendar ends", R"({"date": -657434})", R"({"date": 2958465})", R"({"date": 44927})",
     R"({"date": 45291})", "2147483647", "1",
     R"(["let", "ViewGrid", true]
["let", "GridColor", 255]
["let", "BackColor", 8421504]
["let", "ForeColor", 65280]
)"},
    {"date Y, fractions X", "-0.1", "0.3", R"({"date": 46053})", R"({"date": 46053})", "1", "1"},
};

const char* kProperties[] = {"MinX",     "MaxX",      "MinY",      "MaxY",
                             "UnitX",    "UnitY",     "XAsDate",   "YAsDate",
                             "ViewGrid", "GridColor", "BackColor", "ForeColor"};

const char* kFields[] = {"txtMinX", "txtMaxX", "chkDateX", "txtUnitX",
                         "txtMinY", "txtMaxY", "chkDateY", "txtUnitY"};

std::string Gets() {
    std::string s;
    for (const char* p : kProperties) s += std::string(R"(["get", ")") + p + "\"]\n";
    return s;
}

// Each way through the dialog, as ondialog commands.
std::vector<std::string> Ways() {
    std::string tab = R"(["ui", "frmUnit.txtMinX", "focus"])";
    for (const char* f : kFields)
        tab += std::string(R"(, ["ui", "frmUnit.)") + f + R"(", "focus"], ["ui", "frmUnit.)" + f +
               R"(", "key", 9, 0])";
    return {R"(["ui", "frmUnit.btnOK", "click"])", tab + R"(, ["ui", "frmUnit.btnOK", "click"])",
            R"(["ui", "frmUnit.btnDraw", "click"], ["ui", "frmUnit.btnCancel", "click"])"};
}

std::string Script(const std::string& locale) {
    std::string s = R"(["locale", ")" + locale + R"("]
["today", 46188]
["create", "Karvex.ucKarvex", {"width": 6000, "height": 4000}]
)";
    for (const Start& st : kStarts) {
        s += std::string(R"(["echo", ")") + st.what + "\"]\n";
        s += std::string(R"(["let", "MinX", )") + st.minX + "]\n";
        s += std::string(R"(["let", "MaxX", )") + st.maxX + "]\n";
        s += std::string(R"(["let", "MinY", )") + st.minY + "]\n";
        s += std::string(R"(["let", "MaxY", )") + st.maxY + "]\n";
        s += std::string(R"(["let", "UnitX", )") + st.unitX + "]\n";
        s += std::string(R"(["let", "UnitY", )") + st.unitY + "]\n" + st.extra;
        s += Gets();
        for (const std::string& way : Ways()) {
            s += R"(["ondialog", "frmUnit", )" + way + "]\n";
            s += "[\"call\", \"EditScaleSetting\", 1, \"\"]\n" + Gets();
        }
    }
    return s;
}

}  // namespace

TEST(SettingsRoundTripScript, OpeningTabbingAndDrawingChangeNoSettingInAnyLocale) {
    const size_t n = std::size(kProperties);
    for (const char* locale : {"us", "uk", "italian", "iso"}) {
        auto out = RunHost(Script(locale));
        std::string all = Dump(out);
        // Only echoes, results and the dialog's own notices; no message box, no error.
        std::vector<std::string> results;
        std::string what;
        size_t checked = 0;
        auto compare = [&] {
            if (what.empty()) return results.clear();  // what came before the first start
            ASSERT_EQ(results.size(), 4 * n) << locale << " " << what << "\n" << all;
            for (size_t way = 1; way < 4; ++way)
                for (size_t i = 0; i < n; ++i, ++checked)
                    EXPECT_EQ(results[way * n + i], results[i])
                        << locale << ", " << what << ", way " << way << ": " << kProperties[i];
        };
        for (const auto& j : out) {
            if (const ctl::Json* e = j.find("echo")) {
                compare();
                results.clear();
                what = e->s;
            } else if (const ctl::Json* r = j.find("result")) {
                if (r->kind != ctl::Json::Null) results.push_back(r->dump());  // not a call's
            } else {
                const ctl::Json* ev = j.find("event");
                EXPECT_TRUE(ev || j.find("changed")) << locale << " " << what << ": " << j.dump();
            }
        }
        compare();
        EXPECT_EQ(checked, std::size(kStarts) * 3 * n) << locale << "\n" << all;
    }
}
