// The published interface of the combo: what hosts bind to by id and show in their browsers.
#include <gtest/gtest.h>

#include "combo/ucvQuorlin.h"
#include "platform/com/TypeInfo.h"

using ctl::MemberKind;
using ctl::VarType;
using quorlin::ucvQuorlin;

namespace {
constexpr MemberKind G = MemberKind::PropertyGet, P = MemberKind::PropertyPut,
                     R = MemberKind::PropertyPutRef, M = MemberKind::Method;

struct Row {
    const char* name;
    MemberKind kind;
    int32_t dispid;
    bool hidden;
    std::vector<VarType> params;  // a put lists its value last
    const char* help;
};

const char* const kBack =
    "Returns/sets the background color used to display text and graphics in an object.";
const char* const kFore =
    "Returns/sets the foreground color used to display text and graphics in an object.";
const char* const kEnabled =
    "Returns/sets a value that determines whether an object can respond to user-generated events.";
const char* const kList = "Returns/sets the items contained in a control's list portion.";
const char* const kCount = "Returns the number of items in the list portion of the control.";
const char* const kIndex = "Returns/sets the index of the currently selected item in the control.";
const char* const kData = "Returns/sets a specific number for each item in a QuorlinBox control.";
const char* const kLocked = "Determines whether a control can be edited.";
const char* const kText = "Returns/sets the text contained in the control.";
const char* const kW1 = "Returns/sets the width of first column of a QuorlinBox control.";
const char* const kW2 = "Returns/sets the width of second column of a QuorlinBox control.";
const char* const kLH = "Returns/sets the height of the list portion of QuorlinBox control.";
const char* const kStyle =
    "Returns/sets a value that determines the type of a QuorlinBox control and the behavior of "
    "its list box portion.";
const char* const kTop =
    "Returns/sets which item in a control is displayed in the topmost position.";
const char* const kFill =
    "Fills a row of QuorlinBox control with the values of fields on Enter key when Style is "
    "either 'Dropdown Combo' or 'Simple Combo'.";
const char* const kTip =
    "Returns/sets the text displayed when the mouse is paused over the control.";

const VarType L = VarType::Long, S = VarType::String, I = VarType::Integer, B = VarType::Boolean,
              O = VarType::Object;

// In interface order; each property accessor is its own entry.
const std::vector<Row> kMembers = {
    {"Backcolor", G, 0x68030013, false, {}, kBack},
    {"Backcolor", P, 0x68030013, false, {L}, kBack},
    {"Forecolor", G, 0x68030012, false, {}, kFore},
    {"Forecolor", P, 0x68030012, false, {L}, kFore},
    {"Enabled", G, 0x68030011, false, {}, kEnabled},
    {"Enabled", P, 0x68030011, false, {B}, kEnabled},
    {"Font", G, int32_t(0xFFFFFE00), false, {}, "Returns a Font object."},
    {"Font", R, int32_t(0xFFFFFE00), false, {O}, "Returns a Font object."},
    {"Refresh", M, 0x60030014, false, {}, "Forces a complete repaint of the control."},
    {"hWnd",
     G,
     0x68030010,
     true,
     {},
     "Returns a handle (from Microsoft Windows) to an object's window."},
    {"hDC",
     G,
     0x6803000F,
     true,
     {},
     "Returns a handle (from Microsoft Windows) to the object's device context."},
    {"AddItem",
     M,
     0x60030043,
     false,
     {S, S, L},
     "Adds an item to the Listbox of QuorlinBox control."},
    {"RemoveItem",
     M,
     0x60030045,
     false,
     {L},
     "Removes an item from the list portion of QuorlinBox control."},
    {"Clear", M, 0x60030046, false, {}, "Clears the contents of a QuorlinBox control."},
    {"List", G, 0x6803000E, true, {L}, kList},
    {"TextCol",
     M,
     0x6003004E,
     false,
     {I},
     "Returns the text contained in a cell of the QuorlinBox control."},
    {"ListCol",
     M,
     0x6003004F,
     false,
     {I, L},
     "Returns a row cell in the list portion of QuorlinBox control."},
    {"List", P, 0x6803000E, true, {L, S}, kList},
    {"ListCount", G, 0x6803000C, true, {}, kCount},
    {"ListCount", P, 0x6803000C, true, {L}, kCount},
    {"NewIndex",
     G,
     0x6803000B,
     true,
     {},
     "Returns the index of the item most recently added to a control."},
    {"ListIndex", G, 0x6803000A, true, {}, kIndex},
    {"ListIndex", P, 0x6803000A, true, {L}, kIndex},
    {"ItemData", G, 0x68030009, true, {L}, kData},
    {"Locked", G, 0x68030008, false, {}, kLocked},
    {"Locked", P, 0x68030008, false, {B}, kLocked},
    {"ItemData", P, 0x68030009, true, {L, L}, kData},
    {"Text", G, 0, false, {}, kText},
    {"Text", P, 0, false, {S}, kText},
    {"WidthCol1", G, 0x68030006, false, {}, kW1},
    {"WidthCol1", P, 0x68030006, false, {L}, kW1},
    {"WidthCol2", G, 0x68030005, false, {}, kW2},
    {"WidthCol2", P, 0x68030005, false, {L}, kW2},
    {"ListHeight", G, 0x68030004, false, {}, kLH},
    {"ListHeight", P, 0x68030004, false, {L}, kLH},
    {"Style", G, 0x68030003, false, {}, kStyle},
    {"Style", P, 0x68030003, false, {L}, kStyle},
    {"TopIndex", G, 0x68030002, true, {}, kTop},
    {"TopIndex", P, 0x68030002, true, {L}, kTop},
    {"Sort",
     M,
     0x60030051,
     false,
     {I, B},
     "Makes sorted on either first or second column the rows (ASCII or numeric mode) of a "
     "QuorlinBox control."},
    {"About", M, int32_t(0xFFFFFDD8), false, {}, "Show the information dialog box."},
    {"AutoFill", G, 0x68030001, false, {}, kFill},
    {"AutoFill", P, 0x68030001, false, {B}, kFill},
    {"ToolTipText", G, 0x68030000, false, {}, kTip},
    {"ToolTipText", P, 0x68030000, false, {S}, kTip},
};
}  // namespace

TEST(ComboInterface, MembersHaveTheirIdsKindsParametersAndHelp) {
    const ctl::ClassInfo& ci = ucvQuorlin::TypeInfo();
    EXPECT_EQ(ci.progId, "Quorlin.ucvQuorlin");
    EXPECT_EQ(ci.help, "QuorlinBox Custom Control");
    ASSERT_EQ(ci.members.size(), kMembers.size());
    for (size_t i = 0; i < kMembers.size(); ++i) {
        const Row& want = kMembers[i];
        const ctl::MemberInfo& m = ci.members[i];
        SCOPED_TRACE(std::string(want.name) + " #" + std::to_string(i));
        EXPECT_EQ(m.name, want.name);
        EXPECT_EQ(m.kind, want.kind);
        EXPECT_EQ(m.dispid, want.dispid);
        EXPECT_EQ(m.hidden, want.hidden);
        EXPECT_EQ(m.help, want.help);
        ASSERT_EQ(m.params.size(), want.params.size());
        for (size_t p = 0; p < m.params.size(); ++p) {
            EXPECT_EQ(m.params[p].type, want.params[p]);
            EXPECT_FALSE(m.params[p].byRef);
        }
    }
    // The one optional argument, and the enumeration type of Style.
    const ctl::MemberInfo* add = ci.find("AddItem", M);
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->params[0].name, "Col1");
    EXPECT_EQ(add->params[1].name, "Col2");
    EXPECT_EQ(add->params[2].name, "ID");
    EXPECT_TRUE(add->params[2].optional);
    EXPECT_EQ(add->params[2].defaultValue.toInt32(), 0);
    EXPECT_FALSE(add->params[0].optional);
    const ctl::MemberInfo* sort = ci.find("Sort", M);
    ASSERT_NE(sort, nullptr);
    EXPECT_FALSE(sort->params[0].optional);
    EXPECT_TRUE(sort->params[1].optional);
    EXPECT_FALSE(sort->params[1].defaultValue.toBool());
    EXPECT_EQ(ci.find("Style", G)->resultTypeName, "StyleType");
    EXPECT_EQ(ci.find("ListCol", M)->result, S);
    EXPECT_EQ(ci.find("ItemData", G)->result, L);
    // The default member is Text.
    EXPECT_EQ(ci.find(0, G)->name, "Text");
}

TEST(ComboInterface, EventsPassEveryArgumentByReference) {
    const ctl::ClassInfo& ci = ucvQuorlin::TypeInfo();
    struct Ev {
        const char* name;
        int32_t dispid;
        std::vector<std::pair<const char*, VarType>> params;
        const char* help;
    };
    const std::vector<std::pair<const char*, VarType>> mouse = {
        {"Button", I}, {"Shift", I}, {"X", VarType::Single}, {"Y", VarType::Single}};
    const std::vector<Ev> want = {
        {"Click",
         1,
         {},
         "Occurs when the user presses and then releases a mouse button over the control."},
        {"KeyDown",
         2,
         {{"KeyCode", I}, {"Shift", I}},
         "Occurs when the user presses a key while an object has the focus."},
        {"KeyPress",
         3,
         {{"KeyAscii", I}, {"Col", I}},
         "Occurs when the user presses and releases an ANSI key, and returns the column number "
         "also."},
        {"KeyUp",
         4,
         {{"KeyCode", I}, {"Shift", I}},
         "Occurs when the user releases a key while an object has the focus."},
        {"MouseDown", 5, mouse,
         "Occurs when the user presses the mouse button while an object has the focus."},
        {"MouseMove", 6, mouse, "Occurs when the user moves the mouse."},
        {"MouseUp", 7, mouse,
         "Occurs when the user releases the mouse button while an object has the focus."},
        {"Filled",
         8,
         {},
         "Occurs when a row of QuorlinBox control is filled with the values of fields on Enter "
         "key if 'AutoFill' is True. "},
    };
    ASSERT_EQ(ci.events.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        const ctl::EventInfo& e = ci.events[i];
        SCOPED_TRACE(want[i].name);
        EXPECT_EQ(e.name, want[i].name);
        EXPECT_EQ(e.dispid, want[i].dispid);
        EXPECT_EQ(e.help, want[i].help);
        ASSERT_EQ(e.params.size(), want[i].params.size());
        for (size_t p = 0; p < e.params.size(); ++p) {
            EXPECT_EQ(e.params[p].name, want[i].params[p].first);
            EXPECT_EQ(e.params[p].type, want[i].params[p].second);
            EXPECT_TRUE(e.params[p].byRef);
        }
    }
    ASSERT_EQ(ci.enums.size(), 1u);
    const ctl::EnumInfo& st = ci.enums[0];
    EXPECT_EQ(st.name, "StyleType");
    ASSERT_EQ(st.items.size(), 3u);
    const char* names[] = {"Dropdown Combo", "Simple Combo", "Dropdown List"};
    for (int v = 0; v < 3; ++v) {
        EXPECT_EQ(st.items[size_t(v)].name, names[v]);
        EXPECT_EQ(st.items[size_t(v)].value, v);
        EXPECT_EQ(st.items[size_t(v)].help, names[v]);
    }
}
