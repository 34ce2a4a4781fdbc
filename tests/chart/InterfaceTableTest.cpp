// The chart's published interface, entry by entry, against the table hosts were promised:
// a member out of order, a wrong id or a changed help text fails here.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/ucKarvex.h"
#include "platform/com/Library.h"
#include "platform/com/TypeInfo.h"

extern "C" const ctl::ControlClass* CtlGetClassObject(const char* progId);

using ctl::MemberKind;
using ctl::VarType;

namespace {
enum class Kind { Method, ReadWrite, ReadOnly, ByRef };

struct Param {
    const char* name;
    VarType type;
    bool optional;
    bool byRef;
};

struct Row {
    const char* name;
    uint32_t dispid;
    Kind kind;
    bool hidden;
    VarType type;  // a method's result or a property's type
    std::vector<Param> params;
    const char* help;
};

constexpr VarType E = VarType::Empty, B = VarType::Boolean, I = VarType::Integer, L = VarType::Long,
                  F = VarType::Single, S = VarType::String, O = VarType::Object, V = VarType::Any;

// clang-format off
const std::vector<Row> kMembers = {
    {"EditScaleSetting", 0x60030035, Kind::Method, false, E, {{"Modal", I, true, false}, {"Title", S, true, false}}, "Opens the settings dialog window to manage the Cartesian coordinate system; valid in 'ScaleSystem' mode."},
    {"Draw", 0x60030057, Kind::Method, false, B, {}, "Draws a track having all points stored with the Point_Add method. Returns 'False' if fails."},
    {"DrawTrack", 0x60030058, Kind::Method, false, B, {{"DrawName", S, false, false}}, "Draws a track having all points stored in DB, through the track name used as parameter. Returns 'False' if fails."},
    {"Clear", 0x60030059, Kind::Method, false, E, {}, "Clears all graphics generated at run time from a Map control, either in map and coordinate system mode."},
    {"AutoRedraw", 0x6803002b, Kind::ReadWrite, false, B, {}, "Returns/sets the output from a graphics method to a persistent bitmap."},
    {"AutoSize", 0x6803002a, Kind::ReadWrite, false, B, {}, "Determines whether a control is automatically resized to display its entire contents."},
    {"BaseStep", 0x68030029, Kind::ReadWrite, false, F, {}, "Returns/sets the drawing step length."},
    {"BorderStyle", 0x68030028, Kind::ReadWrite, false, L, {}, "Returns/sets the border style for the Map control."},
    {"Delay", 0x68030027, Kind::ReadWrite, false, F, {}, "Returns/sets msec delay of drawing between two tracks."},
    {"DrawWidth", 0x68030026, Kind::ReadWrite, false, I, {}, "Returns/sets the line width for output from graphics method."},
    {"FlagExit", 0x68030025, Kind::ReadWrite, true, B, {}, "Sets a value that determines if to force exiting while drawing a track. Set 'True' when the application is exiting."},
    {"ControlError", 0x68030024, Kind::ReadOnly, true, S, {}, "Returns the string expression containing a descriptive string associated with the last error."},
    {"Picture", 0x68030023, Kind::ByRef, false, O, {}, "Returns/sets a graphic to be displayed in the control."},
    {"Width", 0x68030022, Kind::ReadWrite, false, L, {}, "Returns/sets the width of the Map control."},
    {"Height", 0x68030021, Kind::ReadWrite, false, L, {}, "Returns/sets the height of the Map control."},
    {"About", 0xfffffdd8, Kind::Method, false, E, {}, ""},
    {"BackColor", 0x68030020, Kind::ReadWrite, false, L, {}, "Returns/sets the background color used to display graphics in the Map control, for both map and coordinate system mode."},
    {"Enabled", 0x6803001f, Kind::ReadWrite, false, B, {}, "Returns/sets a value that determines whether an object can respond to user-generated events."},
    {"ForeColor", 0x6803001e, Kind::ReadWrite, false, L, {}, "Returns/sets the foreground color used to display text and graphics in a Map control for coordinate system mode."},
    {"hDC", 0x6803001d, Kind::ReadOnly, true, L, {}, "Returns a handle (from Microsoft Windows) to the object's device context."},
    {"hWnd", 0x6803001c, Kind::ReadOnly, true, L, {}, "Returns a handle (from Microsoft Windows) to an object's window."},
    {"CurrentX", 0x6803001b, Kind::ReadWrite, true, F, {}, "Returns/sets the horizontal coordinates for next print or draw method."},
    {"CurrentY", 0x6803001a, Kind::ReadWrite, true, F, {}, "Returns/sets the vertical coordinates for next print or draw method."},
    {"Font", 0xfffffe00, Kind::ByRef, false, O, {}, "Returns a Font object."},
    {"TextHeight", 0x60030061, Kind::Method, false, F, {{"strLine", S, false, true}}, "Returns the height of a text string as it would be printed in the current font."},
    {"TextWidth", 0x60030062, Kind::Method, false, F, {{"strLine", S, false, true}}, "Returns the width of a text string as it would be printed in the current font."},
    {"Title", 0x68030019, Kind::ReadWrite, false, S, {}, "Returns/sets the title printed for the current drawing."},
    {"TrackName", 0x68030018, Kind::ReadOnly, true, S, {}, "Returns/sets the track name to load from DB."},
    {"EnableMenu", 0x68030017, Kind::ReadWrite, false, B, {}, "Returns/sets a value that determines whether the Map control has a menu activable with right mouse key (from system menu too)."},
    {"DrawLine", 0x60030064, Kind::Method, false, E, {{"X1", F, false, true}, {"Y1", F, false, true}, {"X2", F, false, true}, {"Y2", F, false, true}}, "Draws a line having two points."},
    {"ViewPoints", 0x68030016, Kind::ReadWrite, false, B, {}, "Returns/sets a value that determines whether the points of the Map control are visible."},
    {"Point_Add", 0x60030065, Kind::Method, false, B, {{"X", V, false, false}, {"Y", V, false, false}, {"Key", S, true, false}}, "Adds a point based on the X,Y coordinate. Returns 'False' if fails."},
    {"Point_Item", 0x60030066, Kind::Method, false, O, {{"Index", V, false, true}}, "Returns a specific member of the points either by position or key  (default \"X:Y[,counter]\", counter > 1 if exist more points with the same coordinate). Returns the point coordinate and the ordinal position (Item.X, Item.Y and Item.Index)."},
    {"Point_Index", 0x60030067, Kind::Method, false, L, {{"Key", S, false, true}}, "Returns the index of a point through its key (default \"X:Y[,counter]\", counter > 1 if exist more points with the same coordinate)."},
    {"Point_Count", 0x60030068, Kind::Method, false, L, {}, "Returns the number of actual stored points."},
    {"Point_Clear", 0x60030069, Kind::Method, false, E, {}, "Clears all points stored with Point_Add method."},
    {"MinX", 0x68030015, Kind::ReadWrite, false, V, {}, "Returns/sets the min value of horizontal coordinate system."},
    {"MaxX", 0x68030014, Kind::ReadWrite, false, V, {}, "Returns/sets the max value of horizontal coordinate system."},
    {"MinY", 0x68030013, Kind::ReadWrite, false, V, {}, "Returns/sets the min value of vertical coordinate system."},
    {"MaxY", 0x68030012, Kind::ReadWrite, false, V, {}, "Returns/sets the max value of vertical coordinate system."},
    {"ViewGrid", 0x68030011, Kind::ReadWrite, false, B, {}, "Returns/sets a value that determines whether the grid of coordinate system is visible."},
    {"SetScaleUnit", 0x6003006d, Kind::Method, false, B, {}, "Allows to set the coordinate system according assigned parameters (Min, Max, Left, Top, Right, Bottom and Unit). Returns 'False' if fails. Valid in coordinate system mode (named 'ScaleSystem')."},
    {"LeftScale", 0x68030010, Kind::ReadWrite, false, F, {}, "Returns/sets the horizontal distance from the internal edge and the left external edge for the coordinate system mode."},
    {"TopScale", 0x6803000f, Kind::ReadWrite, false, F, {}, "Returns/sets the vertical distance from the internal edge and the top external edge for the coordinate system mode."},
    {"RightScale", 0x6803000e, Kind::ReadWrite, false, F, {}, "Returns/sets the horizontal distance from the internal edge and the right external edge for the coordinate system mode."},
    {"BottomScale", 0x6803000d, Kind::ReadWrite, false, F, {}, "Returns/sets the vertical distance from the internal edge and the bottom external edge for the coordinate system mode."},
    {"UnitX", 0x6803000c, Kind::ReadWrite, false, L, {}, "Returns/sets the scale unit of horizontal coordinate (optional)."},
    {"UnitY", 0x6803000b, Kind::ReadWrite, false, L, {}, "Returns/sets the scale unit of vertical coordinate (optional)."},
    {"MapStyle", 0x6803000a, Kind::ReadWrite, false, L, {}, "Returns/sets a value that determines the type of control and its behavior."},
    {"GridColor", 0x68030009, Kind::ReadWrite, false, L, {}, "Returns/sets the color used to draw the coordinate system grid."},
    {"MouseValueX", 0x68030008, Kind::ReadOnly, true, V, {}, "Returns the coordinate X value of mouse when pressed."},
    {"MouseValueY", 0x68030007, Kind::ReadOnly, true, V, {}, "Returns the coordinate Y value of mouse when pressed."},
    {"MouseScan", 0x68030006, Kind::ReadWrite, false, B, {}, "Returns/sets a value that determines whether the mouse moving must update 'MouseValueX' and 'MouseValueY' properties. Valid in coordinate system mode (named 'ScaleSystem')."},
    {"XAsDate", 0x68030005, Kind::ReadWrite, false, B, {}, "Allows to calculate as date the values of horizontal coordinate (X= dd/mm/yyyy)."},
    {"YAsDate", 0x68030004, Kind::ReadWrite, false, B, {}, "Allows to calculate as date the values of vertical coordinate (Y= dd/mm/yyyy)."},
    {"ClipControls", 0x68030003, Kind::ReadWrite, false, B, {}, "Determines whether graphics methods in Paint events repaint an entire object or newly exposed areas."},
    {"PrintText", 0x60030074, Kind::Method, false, E, {{"Text", S, false, false}}, "Prints the specified text in current position (CurrentX, CurrentY) and with current Font and TextColor."},
    {"TitleColor", 0x68030002, Kind::ReadWrite, false, L, {}, "Returns/sets the color used to print the title."},
    {"TextColor", 0x68030001, Kind::ReadWrite, false, L, {}, "Returns/sets the text color used with the PrintText method."},
    {"TrackColor", 0x68030000, Kind::ReadWrite, false, L, {}, "Returns/sets the color used to draw a Track in map mode."},
};
// clang-format on

// The table entries a row stands for: a method, or a property's get and its put.
std::vector<MemberKind> EntriesOf(Kind k) {
    switch (k) {
        case Kind::Method:
            return {MemberKind::Method};
        case Kind::ReadWrite:
            return {MemberKind::PropertyGet, MemberKind::PropertyPut};
        case Kind::ReadOnly:
            return {MemberKind::PropertyGet};
        case Kind::ByRef:
            return {MemberKind::PropertyGet, MemberKind::PropertyPutRef};
    }
    return {};
}
}  // namespace

TEST(ChartInterfaceTable, EveryMemberInOrderWithIdKindParametersAndHelp) {
    const ctl::ClassInfo& ci = karvex::ucKarvexTypeInfo();
    size_t at = 0;
    for (const Row& row : kMembers) {
        for (MemberKind kind : EntriesOf(row.kind)) {
            ASSERT_LT(at, ci.members.size()) << "missing from the table: " << row.name;
            const ctl::MemberInfo& m = ci.members[at++];
            ASSERT_EQ(m.name, row.name) << "entry " << at - 1 << " out of order";
            EXPECT_EQ(m.kind, kind) << row.name;
            EXPECT_EQ(uint32_t(m.dispid), row.dispid) << row.name;
            EXPECT_EQ(m.hidden, row.hidden) << row.name;
            EXPECT_EQ(m.help, row.help) << row.name;
            if (kind == MemberKind::Method) {
                EXPECT_EQ(m.result, row.type) << row.name;
                ASSERT_EQ(m.params.size(), row.params.size()) << row.name;
                for (size_t p = 0; p < row.params.size(); ++p) {
                    EXPECT_EQ(m.params[p].name, row.params[p].name) << row.name;
                    EXPECT_EQ(m.params[p].type, row.params[p].type) << row.name;
                    EXPECT_EQ(m.params[p].optional, row.params[p].optional) << row.name;
                    EXPECT_EQ(m.params[p].byRef, row.params[p].byRef) << row.name;
                }
            } else if (kind == MemberKind::PropertyGet) {
                EXPECT_EQ(m.result, row.type) << row.name;
                EXPECT_TRUE(m.params.empty()) << row.name;
            } else {
                ASSERT_EQ(m.params.size(), 1u) << row.name;
                EXPECT_EQ(m.params[0].type, row.type) << row.name;
            }
        }
    }
    EXPECT_EQ(at, ci.members.size()) << "the table has entries the interface does not";

    // Defaults of the optional parameters, and the named types hosts show.
    const ctl::MemberInfo* edit = ci.find("EditScaleSetting", MemberKind::Method);
    EXPECT_EQ(edit->params[0].defaultValue.toInt32(), 1);
    EXPECT_EQ(edit->params[1].defaultValue.toString(), "");
    EXPECT_EQ(ci.find("BorderStyle", MemberKind::PropertyPut)->resultTypeName, "enBorderStyle");
    EXPECT_EQ(ci.find("MapStyle", MemberKind::PropertyGet)->resultTypeName, "enMapStyle");
    EXPECT_EQ(ci.find("Point_Item", MemberKind::Method)->resultTypeName, "tyPoint");
}

TEST(ChartInterfaceTable, EventsEnumerationsAndLibrary) {
    const ctl::ClassInfo& ci = karvex::ucKarvexTypeInfo();
    struct Ev {
        const char* name;
        std::vector<std::pair<const char*, VarType>> params;
        bool byRef;
        const char* help;
    };
    const std::vector<std::pair<const char*, VarType>> mouse = {
        {"Button", I}, {"Shift", I}, {"X", F}, {"Y", F}};
    const std::vector<Ev> want = {
        {"MouseDown", mouse, true,
         "Occurs when the user presses the mouse button while an object has the focus."},
        {"MouseMove", mouse, true, "Occurs when the user moves the mouse."},
        {"MouseUp", mouse, true,
         "Occurs when the user releases the mouse button while an object has the focus."},
        {"StartDrawing", {{"Cancel", B}}, true, "Occurs when is running a track drawing."},
        {"FinishDrawing", {}, false, "Occurs when a drawing action is done."},
        {"ChangeScaleSetting",
         {{"Redraw", B}},
         false,
         "Occurs when have changed scale settings of the control in coordinate system mode. "
         "Redraw is 'True' if the control need a call to method 'Draw'."}};
    ASSERT_EQ(ci.events.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        const ctl::EventInfo& e = ci.events[i];
        EXPECT_EQ(e.name, want[i].name);
        EXPECT_EQ(e.dispid, int32_t(i + 1)) << e.name;
        EXPECT_EQ(e.help, want[i].help) << e.name;
        ASSERT_EQ(e.params.size(), want[i].params.size()) << e.name;
        for (size_t p = 0; p < e.params.size(); ++p) {
            EXPECT_EQ(e.params[p].name, want[i].params[p].first) << e.name;
            EXPECT_EQ(e.params[p].type, want[i].params[p].second) << e.name;
            EXPECT_EQ(e.params[p].byRef, want[i].byRef) << e.name;
        }
    }

    ASSERT_EQ(ci.enums.size(), 2u);
    EXPECT_EQ(ci.enums[0].name, "enBorderStyle");
    ASSERT_EQ(ci.enums[0].items.size(), 2u);
    EXPECT_EQ(ci.enums[0].items[0].name, "None");
    EXPECT_EQ(ci.enums[0].items[0].value, 0);
    EXPECT_EQ(ci.enums[0].items[1].name, "Fixed Single");
    EXPECT_EQ(ci.enums[0].items[1].help, "Fixed Single");
    // Map mode (0) has no enumerator of its own.
    EXPECT_EQ(ci.enums[1].name, "enMapStyle");
    ASSERT_EQ(ci.enums[1].items.size(), 1u);
    EXPECT_EQ(ci.enums[1].items[0].name, "Scale System");
    EXPECT_EQ(ci.enums[1].items[0].value, 1);

    const ctl::ControlClass* cls = CtlGetClassObject("Karvex.ucKarvex");
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->library.name, "Karvex");
    EXPECT_STREQ(cls->library.help, "Karvex Custom Control");
    EXPECT_STREQ(cls->library.version, "1.0");
    EXPECT_EQ(cls->library.locale, 1033);
}
