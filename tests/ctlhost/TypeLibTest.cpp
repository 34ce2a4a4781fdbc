// What `ctlhost --typelib` and `--reference` print, and every published member reached by
// name through a script.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

namespace {
// The output and exit status of ctlhost run with these arguments.
std::string RunTool(const std::string& args, int* status = nullptr) {
    const char* exe = std::getenv("CTLHOST");
    EXPECT_TRUE(exe) << "CTLHOST is not set";
    if (!exe) return {};
    FILE* p = popen((std::string(exe) + " " + args + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    int rc = pclose(p);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

Json TypeLib(const std::string& progId) {
    int status = -1;
    std::string out = RunTool("--typelib " + progId, &status);
    EXPECT_EQ(status, 0) << out;
    auto j = Json::parse(out);
    EXPECT_TRUE(j) << out;
    return j ? *j : Json();
}

// "Name kind Name kind ...", the table entries in interface order.
std::string Entries(const Json& lib) {
    std::string s;
    for (const Json& m : lib.find("members")->items)
        s += (s.empty() ? "" : " ") + m.find("name")->s + " " + m.find("kind")->s;
    return s;
}

// The same JSON text with its object members in the order the parser keeps them.
std::string Norm(const std::string& text) {
    auto j = Json::parse(text);
    EXPECT_TRUE(j) << text;
    return j ? j->dump() : std::string();
}

const Json* Member(const Json& lib, const std::string& name, const std::string& kind) {
    for (const Json& m : lib.find("members")->items)
        if (m.find("name")->s == name && m.find("kind")->s == kind) return &m;
    return nullptr;
}

const char* const kChartEntries =
    "EditScaleSetting method Draw method DrawTrack method Clear method AutoRedraw get "
    "AutoRedraw let AutoSize get AutoSize let BaseStep get BaseStep let "
    "BorderStyle get BorderStyle let Delay get Delay let DrawWidth get DrawWidth let "
    "FlagExit get FlagExit let ControlError get Picture get Picture set Width get "
    "Width let Height get Height let About method BackColor get BackColor let "
    "Enabled get Enabled let ForeColor get ForeColor let hDC get hWnd get "
    "CurrentX get CurrentX let CurrentY get CurrentY let Font get Font set "
    "TextHeight method TextWidth method Title get Title let TrackName get "
    "EnableMenu get EnableMenu let DrawLine method ViewPoints get ViewPoints let "
    "Point_Add method Point_Item method Point_Index method Point_Count method "
    "Point_Clear method MinX get MinX let MaxX get MaxX let MinY get MinY let "
    "MaxY get MaxY let ViewGrid get ViewGrid let SetScaleUnit method LeftScale get "
    "LeftScale let TopScale get TopScale let RightScale get RightScale let "
    "BottomScale get BottomScale let UnitX get UnitX let UnitY get UnitY let "
    "MapStyle get MapStyle let GridColor get GridColor let MouseValueX get "
    "MouseValueY get MouseScan get MouseScan let XAsDate get XAsDate let YAsDate get "
    "YAsDate let ClipControls get ClipControls let PrintText method TitleColor get "
    "TitleColor let TextColor get TextColor let TrackColor get TrackColor let";
const char* const kComboEntries =
    "Backcolor get Backcolor let Forecolor get Forecolor let Enabled get Enabled let "
    "Font get Font set Refresh method hWnd get hDC get AddItem method "
    "RemoveItem method Clear method List get TextCol method ListCol method List let "
    "ListCount get ListCount let NewIndex get ListIndex get ListIndex let "
    "ItemData get Locked get Locked let ItemData let Text get Text let WidthCol1 get "
    "WidthCol1 let WidthCol2 get WidthCol2 let ListHeight get ListHeight let "
    "Style get Style let TopIndex get TopIndex let Sort method About method "
    "AutoFill get AutoFill let ToolTipText get ToolTipText let";
}  // namespace

TEST(TypeLib, ListsTheDesignedMembersInOrder) {
    Json chart = TypeLib("Karvex.ucKarvex");
    ASSERT_EQ(chart.kind, Json::Object);
    EXPECT_EQ(Entries(chart), kChartEntries);
    Json combo = TypeLib("quorlin.UCVQUORLIN");  // class names are found without regard to case
    ASSERT_EQ(combo.kind, Json::Object);
    EXPECT_EQ(Entries(combo), kComboEntries);
}

TEST(TypeLib, CarriesLibraryParametersResultsEventsAndEnumerations) {
    // The object's members come in the documented order.
    EXPECT_EQ(RunTool("--typelib Quorlin.ucvQuorlin")
                  .rfind(R"({"library":{"name":"Quorlin","help":"QuorlinBox Custom Control",)"
                         R"("version":"1.0","locale":1033},"class":"ucvQuorlin","members":[)"
                         R"({"name":"Backcolor","id":1745027091,"kind":"get","params":[],)"
                         R"("result":"Color","help":)",
                         0),
              0u);
    Json combo = TypeLib("Quorlin.ucvQuorlin");
    ASSERT_EQ(combo.kind, Json::Object);
    EXPECT_EQ(combo.find("library")->dump(),
              Norm(R"({"name":"Quorlin","help":"QuorlinBox Custom Control","version":"1.0",)"
                   R"("locale":1033})"));
    EXPECT_EQ(combo.find("class")->s, "ucvQuorlin");
    // A property's get and put share the id; the put takes the value last.
    const Json* get = Member(combo, "ItemData", "get");
    const Json* let = Member(combo, "ItemData", "let");
    ASSERT_TRUE(get && let);
    EXPECT_EQ(get->find("id")->n, 0x68030009);
    EXPECT_EQ(let->find("id")->n, 0x68030009);
    EXPECT_EQ(
        let->find("params")->dump(),
        Norm(R"([{"name":"Index","type":"Long","optional":false,"default":null,"byref":false},)"
             R"({"name":"Value","type":"Long","optional":false,"default":null,"byref":false}])"));
    EXPECT_EQ(get->find("result")->s, "Long");
    EXPECT_TRUE(get->find("hidden")->b);
    const Json* add = Member(combo, "AddItem", "method");
    ASSERT_TRUE(add);
    EXPECT_EQ(add->find("params")->items.at(2).dump(),
              Norm(R"({"name":"ID","type":"Long","optional":true,"default":0,"byref":false})"));
    EXPECT_EQ(Member(combo, "Text", "get")->find("id")->n, 0);
    EXPECT_EQ(Member(combo, "Font", "set")->find("params")->items.at(0).find("type")->s, "Font");
    EXPECT_EQ(Member(combo, "Style", "let")->find("params")->items.at(0).find("type")->s,
              "StyleType");
    EXPECT_EQ(Member(combo, "About", "method")->find("id")->n, -552);
    const Json& filled = combo.find("events")->items.at(7);
    EXPECT_EQ(filled.find("help")->s,
              "Occurs when a row of QuorlinBox control is filled with the values of fields on "
              "Enter key if 'AutoFill' is True. ");
    EXPECT_EQ(
        combo.find("events")->items.at(2).find("params")->dump(),
        Norm(
            R"([{"name":"KeyAscii","type":"Integer","optional":false,"default":null,"byref":true},)"
            R"({"name":"Col","type":"Integer","optional":false,"default":null,"byref":true}])"));
    EXPECT_EQ(
        combo.find("enums")->dump(),
        Norm(R"([{"name":"StyleType","members":[{"name":"Dropdown Combo","value":0,)"
             R"("help":"Dropdown Combo"},{"name":"Simple Combo","value":1,"help":"Simple Combo"},)"
             R"({"name":"Dropdown List","value":2,"help":"Dropdown List"}]}])"));

    Json chart = TypeLib("Karvex.ucKarvex");
    ASSERT_EQ(chart.kind, Json::Object);
    EXPECT_EQ(chart.find("library")->find("name")->s, "Karvex");
    const Json* edit = Member(chart, "EditScaleSetting", "method");
    ASSERT_TRUE(edit);
    EXPECT_EQ(
        edit->find("params")->dump(),
        Norm(R"([{"name":"Modal","type":"Integer","optional":true,"default":1,"byref":false},)"
             R"({"name":"Title","type":"String","optional":true,"default":"","byref":false}])"));
    EXPECT_EQ(edit->find("result")->s, "");
    EXPECT_EQ(Member(chart, "About", "method")->find("help")->s, "");
    EXPECT_TRUE(Member(chart, "TextWidth", "method")->find("params")->items.at(0).find("byref")->b);
    EXPECT_EQ(Member(chart, "Point_Item", "method")->find("result")->s, "tyPoint");
    EXPECT_EQ(Member(chart, "Picture", "set")->find("params")->items.at(0).find("type")->s,
              "Picture");
    EXPECT_EQ(chart.find("enums")->items.at(1).dump(),
              Norm(R"({"name":"enMapStyle","members":[{"name":"Scale System","value":1,)"
                   R"("help":"Scale System"}]})"));
}

TEST(TypeLib, UnknownClassesAndBadArgumentsFailClearly) {
    int status = 0;
    auto out = Json::parse(RunTool("--typelib Nowhere.Nothing", &status));
    ASSERT_TRUE(out);
    EXPECT_EQ(ErrorNumber(*out), 429);
    EXPECT_NE(status, 0);
    out = Json::parse(RunTool("--typelib", &status));
    ASSERT_TRUE(out);
    EXPECT_NE(ErrorNumber(*out), 0);
    EXPECT_NE(status, 0);
}

// The bare class name the type table prints names the one library that offers it, for both
// options; a bare name nobody offers fails as a full one does.
TEST(TypeLib, TheBareClassNameFindsItsLibrary) {
    EXPECT_EQ(TypeLib("ucKarvex").dump(), TypeLib("Karvex.ucKarvex").dump());
    EXPECT_EQ(TypeLib("UCVQUORLIN").find("class")->dump(), "\"ucvQuorlin\"");
    int status = -1;
    EXPECT_EQ(RunTool("--reference ucvQuorlin", &status),
              RunTool("--reference Quorlin.ucvQuorlin"));
    EXPECT_EQ(status, 0);
    auto out = Json::parse(RunTool("--typelib ucNothing", &status));
    ASSERT_TRUE(out);
    EXPECT_EQ(ErrorNumber(*out), 429);
    EXPECT_NE(status, 0);
}

// A reader of a reference page alone can use the control: units, the map mode's value, the
// members that always raise at run time, the record type of the series and every error.
TEST(TypeLib, ReferencePagesSayUnitsRaisesAndErrors) {
    auto section = [](const std::string& page, const std::string& heading) {
        const size_t at = page.find("### " + heading + "\n");
        EXPECT_NE(at, std::string::npos) << heading;
        if (at == std::string::npos) return std::string();
        return page.substr(at, page.find("\n### ", at + 1) - at);
    };
    const std::string combo = RunTool("--reference Quorlin.ucvQuorlin");
    for (const char* m : {"WidthCol1", "WidthCol2", "ListHeight"})
        EXPECT_NE(section(combo, m).find("twips"), std::string::npos) << m;
    EXPECT_NE(section(combo, "Style").find("always raises 7"), std::string::npos);
    EXPECT_NE(section(combo, "ListCount").find("always raises 7"), std::string::npos);
    const std::string comboErrors = combo.substr(combo.find("## Errors"));
    for (const char* e : {"| 5 |", "| 6 |", "| 7 |", "| 9 |"})
        EXPECT_NE(comboErrors.find(e), std::string::npos) << e;

    const std::string chart = RunTool("--reference ucKarvex");
    EXPECT_NE(section(chart, "enMapStyle").find("| 0 | map mode"), std::string::npos);
    EXPECT_NE(section(chart, "LeftScale").find("twips"), std::string::npos);
    EXPECT_NE(section(chart, "SetScaleUnit").find("ControlError"), std::string::npos);
    EXPECT_EQ(chart.find("| tyPoint | an object |"), std::string::npos);
    EXPECT_NE(chart.find("| tyPoint | a point of the series"), std::string::npos);
    ASSERT_NE(chart.find("## Errors"), std::string::npos);
    const std::string chartErrors = chart.substr(chart.find("## Errors"));
    for (int n = 1023; n <= 1033; ++n)
        EXPECT_NE(chartErrors.find("| " + std::to_string(n) + " |"), std::string::npos) << n;
}

// The checked-in pages are what the type tables give today.
TEST(TypeLib, ReferencePagesAreUpToDate) {
    const char* dir = std::getenv("CTL_REFERENCE");
    ASSERT_TRUE(dir) << "CTL_REFERENCE is not set";
    for (const char* cls : {"Karvex.ucKarvex", "Quorlin.ucvQuorlin"}) {
        std::string page = std::string(cls).substr(std::string(cls).find('.') + 1) + ".md";
        std::ifstream in(std::string(dir) + "/" + page);
        std::stringstream checkedIn;
        checkedIn << in.rdbuf();
        int status = -1;
        std::string fresh = RunTool(std::string("--reference ") + cls, &status);
        EXPECT_EQ(status, 0) << fresh;
        EXPECT_NE(fresh.find("## Events"), std::string::npos) << fresh;
        EXPECT_TRUE(checkedIn.str() == fresh)
            << "docs/reference/" << page << " is out of date; regenerate it with:\n"
            << "    cmake --build build --target reference";
    }
}

TEST(TypeLib, TheDefaultMemberIsTheComboText) {
    auto out = RunHost(
        "[\"create\", \"Quorlin.ucvQuorlin\"]\n"
        "[\"let\", \"Text\", \"Rome\"]\n"
        "[\"get\", \"\"]\n"
        "[\"let\", \"\", \"Milan\"]\n"
        "[\"get\", \"Text\"]\n"
        "[\"create\", \"Karvex.ucKarvex\"]\n"
        "[\"get\", \"\"]\n");
    std::vector<std::string> lines;
    for (const Json& j : out)
        if (!j.find("changed") && !j.find("event")) lines.push_back(j.dump());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[2], R"({"result":"Rome"})");
    EXPECT_EQ(lines[4], R"({"result":"Milan"})");
    EXPECT_EQ(ErrorNumber(*Json::parse(lines[6])), 438);  // the chart has no default member
}

// Every entry of the type table, driven by name with its optional arguments left out: the
// host reaches each one and its arguments are accepted (refusals of the values themselves,
// like an index out of range, are the member's own business).
TEST(TypeLib, EveryMemberIsReachedByName) {
    const char* examples = std::getenv("CTL_EXAMPLES");
    ASSERT_TRUE(examples);
    const std::string picture = std::string(examples) + "/../docs/demo/02-map.png";
    for (const char* cls : {"Karvex.ucKarvex", "Quorlin.ucvQuorlin"}) {
        Json lib = TypeLib(cls);
        ASSERT_EQ(lib.kind, Json::Object);
        std::string script = std::string("[\"create\", \"") + cls + "\"]\n";
        script += "[\"ondialog\", \"frmUnit\", [\"ui\", \"frmUnit.btnCancel\", \"click\"]]\n";
        for (const Json& m : lib.find("members")->items) {
            const std::string kind = m.find("kind")->s;
            Json cmd = Json::array(
                {Json::string(kind == "method" ? "call" : kind), Json::string(m.find("name")->s)});
            for (const Json& p : m.find("params")->items) {
                if (p.find("optional")->b) break;
                const std::string t = p.find("type")->s;
                if (t == "Boolean")
                    cmd.items.push_back(Json::boolean(true));
                else if (t == "String")
                    cmd.items.push_back(Json::string("1"));
                else if (t == "Font")
                    cmd.items.push_back(
                        Json::object({{"font", Json::object({{"name", Json::string("Arial")},
                                                             {"size", Json::number(9)}})}}));
                else if (t == "Picture")
                    cmd.items.push_back(Json::object({{"picture", Json::string(picture)}}));
                else
                    cmd.items.push_back(Json::number(1));
            }
            script += cmd.dump() + "\n";
        }
        auto out = RunHost(script);
        ASSERT_FALSE(out.empty()) << cls;
        std::string all;
        for (const Json& j : out) all += j.dump() + "\n";
        for (const Json& j : out) {
            int n = ErrorNumber(j);
            EXPECT_TRUE(n != 438 && n != 449 && n != 450 && n != 13 && n != 91)
                << cls << ": " << j.dump() << "\nscript:\n"
                << script << "\noutput:\n"
                << all;
        }
    }
}
