// The combo's public interface: members with their dispatch ids, its events and StyleType.
#include <cmath>

#include "combo/ucvQuorlin.h"
#include "platform/com/RaisedError.h"

namespace quorlin {

namespace {
using ctl::Args;
using ctl::Param;
using ctl::Variant;
using ctl::VarType;

// A colour argument: 0x00BBGGRR or a system colour reference with the high bit set.
uint32_t ColorOf(const Variant& v) {
    double d = v.toDouble();
    if (d < -2147483648.0 || d > 4294967295.0) ctl::Raise(ctl::errOverflow);
    return d < 0 ? uint32_t(int32_t(d)) : uint32_t(int64_t(d));
}
Variant ColorValue(uint32_t c) {
    return Variant(int32_t(c));
}

ctl::FontPtr FontOf(const Variant& v) {
    auto f = std::dynamic_pointer_cast<ctl::Font>(v.toObject());
    if (!f) ctl::Raise(ctl::errTypeMismatch);
    return f;
}

void Build(ctl::ClassInfo& ci) {
    ci.progId = "Quorlin.ucvQuorlin";
    ci.help = "QuorlinBox Custom Control";
    using Q = ucvQuorlin;
    ctl::ClassBuilder<Q> b(ci);
    const std::vector<ctl::ParamInfo> index = {Param("Index", VarType::Long)};
    b.property(
         "Backcolor", 0x68030013, VarType::Long,
         "Returns/sets the background color used to display text and graphics in an object.",
         [](Q& q) { return ColorValue(q.Backcolor()); },
         [](Q& q, const Variant& v) { q.setBackcolor(ColorOf(v)); })
        .property(
            "Forecolor", 0x68030012, VarType::Long,
            "Returns/sets the foreground color used to display text and graphics in an object.",
            [](Q& q) { return ColorValue(q.Forecolor()); },
            [](Q& q, const Variant& v) { q.setForecolor(ColorOf(v)); })
        .property(
            "Enabled", 0x68030011, VarType::Boolean,
            "Returns/sets a value that determines whether an object can respond to user-generated "
            "events.",
            [](Q& q) { return Variant(q.ControlEnabled()); },
            [](Q& q, const Variant& v) { q.setControlEnabled(v.toBool()); })
        .get("Font", int32_t(0xFFFFFE00), VarType::Object, "Returns a Font object.",
             [](Q& q, Args&) { return Variant(ctl::ObjectPtr(q.ControlFont())); })
        .typed("Font")
        .put(
            "Font", int32_t(0xFFFFFE00), VarType::Object, "Returns a Font object.",
            [](Q& q, Args& a) {
                q.setControlFont(FontOf(a.back()));
                return Variant();
            },
            false, {}, true)
        .method("Refresh", 0x60030014, VarType::Empty, {},
                "Forces a complete repaint of the control.",
                [](Q& q, Args&) {
                    q.Refresh();
                    return Variant();
                })
        .get(
            "hWnd", 0x68030010, VarType::Long,
            "Returns a handle (from Microsoft Windows) to an object's window.",
            [](Q& q, Args&) { return Variant(q.hWnd()); }, true)
        .get(
            "hDC", 0x6803000F, VarType::Long,
            "Returns a handle (from Microsoft Windows) to the object's device context.",
            [](Q& q, Args&) { return Variant(q.hDC()); }, true)
        .method("AddItem", 0x60030043, VarType::Empty,
                {Param("Col1", VarType::String), Param("Col2", VarType::String),
                 ctl::OptParam("ID", VarType::Long, Variant(int32_t(0)))},
                "Adds an item to the Listbox of QuorlinBox control.",
                [](Q& q, Args& a) {
                    q.AddItem(a[0].toString(), a[1].toString(), a[2].toInt32());
                    return Variant();
                })
        .method("RemoveItem", 0x60030045, VarType::Empty, index,
                "Removes an item from the list portion of QuorlinBox control.",
                [](Q& q, Args& a) {
                    q.RemoveItem(a[0].toInt32());
                    return Variant();
                })
        .method("Clear", 0x60030046, VarType::Empty, {},
                "Clears the contents of a QuorlinBox control.",
                [](Q& q, Args&) {
                    q.Clear();
                    return Variant();
                })
        .get(
            "List", 0x6803000E, VarType::String,
            "Returns/sets the items contained in a control's list portion.",
            [](Q& q, Args& a) { return Variant(q.List(a[0].toInt32())); }, true, index)
        .method("TextCol", 0x6003004E, VarType::String, {Param("Col", VarType::Integer)},
                "Returns the text contained in a cell of the QuorlinBox control.",
                [](Q& q, Args& a) { return Variant(q.TextCol(a[0].toInt16())); })
        .method("ListCol", 0x6003004F, VarType::String,
                {Param("Col", VarType::Integer), Param("Index", VarType::Long)},
                "Returns a row cell in the list portion of QuorlinBox control.",
                [](Q& q, Args& a) { return Variant(q.ListCol(a[0].toInt16(), a[1].toInt32())); })
        .put(
            "List", 0x6803000E, VarType::String,
            "Returns/sets the items contained in a control's list portion.",
            [](Q& q, Args& a) {
                q.setList(a[0].toInt32(), a[1].toString());
                return Variant();
            },
            true, index)
        .property(
            "ListCount", 0x6803000C, VarType::Long,
            "Returns the number of items in the list portion of the control.",
            [](Q& q) { return Variant(q.ListCount()); },
            [](Q& q, const Variant& v) { q.setListCount(v.toInt32()); }, true)
        .get(
            "NewIndex", 0x6803000B, VarType::Long,
            "Returns the index of the item most recently added to a control.",
            [](Q& q, Args&) { return Variant(q.NewIndex()); }, true)
        .property(
            "ListIndex", 0x6803000A, VarType::Long,
            "Returns/sets the index of the currently selected item in the control.",
            [](Q& q) { return Variant(q.ListIndex()); },
            [](Q& q, const Variant& v) { q.setListIndex(v.toInt32()); }, true)
        .get(
            "ItemData", 0x68030009, VarType::Long,
            "Returns/sets a specific number for each item in a QuorlinBox control.",
            [](Q& q, Args& a) { return Variant(q.ItemData(a[0].toInt32())); }, true, index)
        .property(
            "Locked", 0x68030008, VarType::Boolean, "Determines whether a control can be edited.",
            [](Q& q) { return Variant(q.Locked()); },
            [](Q& q, const Variant& v) { q.setLocked(v.toBool()); })
        .put(
            "ItemData", 0x68030009, VarType::Long,
            "Returns/sets a specific number for each item in a QuorlinBox control.",
            [](Q& q, Args& a) {
                q.setItemData(a[0].toInt32(), a[1].toInt32());
                return Variant();
            },
            true, index)
        .property(
            "Text", 0, VarType::String, "Returns/sets the text contained in the control.",
            [](Q& q) { return Variant(q.Text()); },
            [](Q& q, const Variant& v) { q.setText(v.toString()); })
        .property(
            "WidthCol1", 0x68030006, VarType::Long,
            "Returns/sets the width of first column of a QuorlinBox control.",
            [](Q& q) { return Variant(q.WidthCol1()); },
            [](Q& q, const Variant& v) { q.setWidthCol1(v.toInt32()); })
        .property(
            "WidthCol2", 0x68030005, VarType::Long,
            "Returns/sets the width of second column of a QuorlinBox control.",
            [](Q& q) { return Variant(q.WidthCol2()); },
            [](Q& q, const Variant& v) { q.setWidthCol2(v.toInt32()); })
        .property(
            "ListHeight", 0x68030004, VarType::Long,
            "Returns/sets the height of the list portion of QuorlinBox control.",
            [](Q& q) { return Variant(q.ListHeight()); },
            [](Q& q, const Variant& v) { q.setListHeight(v.toInt32()); })
        .property(
            "Style", 0x68030003, VarType::Long,
            "Returns/sets a value that determines the type of a QuorlinBox control and the "
            "behavior of its list box "
            "portion.",
            [](Q& q) { return Variant(q.Style()); },
            [](Q& q, const Variant& v) { q.setStyle(v.toInt32()); })
        .property(
            "TopIndex", 0x68030002, VarType::Long,
            "Returns/sets which item in a control is displayed in the topmost position.",
            [](Q& q) { return Variant(q.TopIndex()); },
            [](Q& q, const Variant& v) { q.setTopIndex(v.toInt32()); }, true)
        .method("Sort", 0x60030051, VarType::Empty,
                {Param("Col", VarType::Integer),
                 ctl::OptParam("OnNumeric", VarType::Boolean, Variant(false))},
                "Makes sorted on either first or second column the rows (ASCII or numeric mode) "
                "of a QuorlinBox control.",
                [](Q& q, Args& a) {
                    q.Sort(a[0].toInt16(), a[1].toBool());
                    return Variant();
                })
        .method("About", int32_t(0xFFFFFDD8), VarType::Empty, {},
                "Show the information dialog box.",
                [](Q& q, Args&) {
                    q.About();
                    return Variant();
                })
        .property(
            "AutoFill", 0x68030001, VarType::Boolean,
            "Fills a row of QuorlinBox control with the values of fields on Enter key when Style "
            "is either "
            "'Dropdown Combo' or 'Simple Combo'.",
            [](Q& q) { return Variant(q.AutoFill()); },
            [](Q& q, const Variant& v) { q.setAutoFill(v.toBool()); })
        .property(
            "ToolTipText", 0x68030000, VarType::String,
            "Returns/sets the text displayed when the mouse is paused over the control.",
            [](Q& q) { return Variant(q.ControlToolTipText()); },
            [](Q& q, const Variant& v) { q.setControlToolTipText(v.toString()); });

    // The Style property is of the enumeration type.
    for (auto& m : ci.members)
        if (m.name == "Style") m.resultTypeName = "StyleType";

    auto ref16 = [](const char* n) { return ctl::RefParam(n, VarType::Integer); };
    auto refSingle = [](const char* n) { return ctl::RefParam(n, VarType::Single); };
    const std::vector<ctl::ParamInfo> mouse = {ref16("Button"), ref16("Shift"), refSingle("X"),
                                               refSingle("Y")};
    b.event("Click", 1, {},
            "Occurs when the user presses and then releases a mouse button over the control.")
        .event("KeyDown", 2, {ref16("KeyCode"), ref16("Shift")},
               "Occurs when the user presses a key while an object has the focus.")
        .event("KeyPress", 3, {ref16("KeyAscii"), ref16("Col")},
               "Occurs when the user presses and releases an ANSI key, and returns the column "
               "number also.")
        .event("KeyUp", 4, {ref16("KeyCode"), ref16("Shift")},
               "Occurs when the user releases a key while an object has the focus.")
        .event("MouseDown", 5, mouse,
               "Occurs when the user presses the mouse button while an object has the focus.")
        .event("MouseMove", 6, mouse, "Occurs when the user moves the mouse.")
        .event("MouseUp", 7, mouse,
               "Occurs when the user releases the mouse button while an object has the focus.")
        .event("Filled", 8, {},
               "Occurs when a row of QuorlinBox control is filled with the values of fields on "
               "Enter key if "
               "'AutoFill' is True. ")
        .enumeration({"StyleType",
                      {{"Dropdown Combo", 0, "Dropdown Combo"},
                       {"Simple Combo", 1, "Simple Combo"},
                       {"Dropdown List", 2, "Dropdown List"}}});
}
}  // namespace

const ctl::ClassInfo& ucvQuorlin::TypeInfo() {
    static const ctl::ClassInfo info = [] {
        ctl::ClassInfo ci;
        Build(ci);
        return ci;
    }();
    return info;
}

}  // namespace quorlin
