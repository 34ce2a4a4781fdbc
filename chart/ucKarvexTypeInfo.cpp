// The chart's dispatch interface: members in interface order with their dispatch ids, its
// events and its enumerations, through which hosts reach the control by name.
#include <utility>

#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"

namespace karvex {

using ctl::Variant;
using ctl::VarType;
using K = ucKarvex;

namespace {
Variant Colour(uint32_t c) {
    return Variant(int32_t(c));
}
uint32_t ToColour(const Variant& v) {
    return uint32_t(v.toInt32());
}

template <class T>
std::shared_ptr<T> ObjectOf(const Variant& v) {
    return std::dynamic_pointer_cast<T>(v.toObject());
}

void AddMembers(ctl::ClassBuilder<K>& b) {
    using ctl::Args;
    b.method("EditScaleSetting", 0x60030035, VarType::Empty,
             {ctl::OptParam("Modal", VarType::Integer, Variant(int16_t(1))),
              ctl::OptParam("Title", VarType::String, Variant(std::string()))},
             "Opens the settings dialog window to manage the Cartesian coordinate system; valid "
             "in 'ScaleSystem' mode.",
             [](K& k, Args& a) {
                 k.EditScaleSetting(a[0].toInt16(), a[1].toString());
                 return Variant();
             });
    b.method("Draw", 0x60030057, VarType::Boolean, {},
             "Draws a track having all points stored with the Point_Add method. Returns 'False' if "
             "fails.",
             [](K& k, Args&) { return Variant(k.Draw()); });
    b.method("DrawTrack", 0x60030058, VarType::Boolean, {ctl::Param("DrawName", VarType::String)},
             "Draws a track having all points stored in DB, through the track name used as "
             "parameter. Returns 'False' if fails.",
             [](K& k, Args& a) { return Variant(k.DrawTrack(a[0].toString())); });
    b.method("Clear", 0x60030059, VarType::Empty, {},
             "Clears all graphics generated at run time from a Map control, either in map and "
             "coordinate system mode.",
             [](K& k, Args&) {
                 k.Clear();
                 return Variant();
             });
    b.property(
        "AutoRedraw", 0x6803002b, VarType::Boolean,
        "Returns/sets the output from a graphics method to a persistent bitmap.",
        [](K& k) { return Variant(k.AutoRedraw()); },
        [](K& k, const Variant& v) { k.setAutoRedraw(v.toBool()); });
    b.property(
        "AutoSize", 0x6803002a, VarType::Boolean,
        "Determines whether a control is automatically resized to display its entire contents.",
        [](K& k) { return Variant(k.AutoSize()); },
        [](K& k, const Variant& v) { k.setAutoSize(v.toBool()); });
    b.property(
        "BaseStep", 0x68030029, VarType::Single, "Returns/sets the drawing step length.",
        [](K& k) { return Variant(k.BaseStep()); },
        [](K& k, const Variant& v) { k.setBaseStep(v.toSingle()); });
    b.property(
        "BorderStyle", 0x68030028, VarType::Long,
        "Returns/sets the border style for the Map control.",
        [](K& k) { return Variant(k.BorderStyle()); },
        [](K& k, const Variant& v) { k.setBorderStyle(v.toInt32()); });
    b.property(
        "Delay", 0x68030027, VarType::Single,
        "Returns/sets msec delay of drawing between two tracks.",
        [](K& k) { return Variant(k.Delay()); },
        [](K& k, const Variant& v) { k.setDelay(v.toSingle()); });
    b.property(
        "DrawWidth", 0x68030026, VarType::Integer,
        "Returns/sets the line width for output from graphics method.",
        [](K& k) { return Variant(k.DrawWidth()); },
        [](K& k, const Variant& v) { k.setDrawWidth(v.toInt16()); });
    b.property(
        "FlagExit", 0x68030025, VarType::Boolean,
        "Sets a value that determines if to force exiting while drawing a track. Set 'True' when "
        "the application "
        "is exiting.",
        [](K& k) { return Variant(k.FlagExit()); },
        [](K& k, const Variant& v) { k.setFlagExit(v.toBool()); }, true);
    b.property(
        "ControlError", 0x68030024, VarType::String,
        "Returns the string expression containing a descriptive string associated with the last "
        "error.",
        [](K& k) { return Variant(k.ControlError()); }, nullptr, true);
    b.get("Picture", 0x68030023, VarType::Object,
          "Returns/sets a graphic to be displayed in the control.",
          [](K& k, Args&) { return Variant(ctl::ObjectPtr(k.Picture())); });
    b.put(
        "Picture", 0x68030023, VarType::Object,
        "Returns/sets a graphic to be displayed in the control.",
        [](K& k, Args& a) {
            auto pic = ObjectOf<ctl::Picture>(a.back());
            if (a.back().toObject() && !pic)
                k.RejectSetting("Invalid property value: Picture needs a picture object");
            else
                k.setPicture(pic);
            return Variant();
        },
        false, {}, true);
    b.property(
        "Width", 0x68030022, VarType::Long, "Returns/sets the width of the Map control.",
        [](K& k) { return Variant(k.Width()); },
        [](K& k, const Variant& v) { k.setWidth(v.toInt32()); });
    b.property(
        "Height", 0x68030021, VarType::Long, "Returns/sets the height of the Map control.",
        [](K& k) { return Variant(k.Height()); },
        [](K& k, const Variant& v) { k.setHeight(v.toInt32()); });
    b.method("About", int32_t(0xfffffdd8), VarType::Empty, {}, "", [](K& k, Args&) {
        k.About();
        return Variant();
    });
    b.property(
        "BackColor", 0x68030020, VarType::Long,
        "Returns/sets the background color used to display graphics in the Map control, for both "
        "map and "
        "coordinate system mode.",
        [](K& k) { return Colour(k.BackColor()); },
        [](K& k, const Variant& v) { k.setBackColor(ToColour(v)); });
    b.property(
        "Enabled", 0x6803001f, VarType::Boolean,
        "Returns/sets a value that determines whether an object can respond to user-generated "
        "events.",
        [](K& k) { return Variant(k.Enabled()); },
        [](K& k, const Variant& v) { k.setEnabled(v.toBool()); });
    b.property(
        "ForeColor", 0x6803001e, VarType::Long,
        "Returns/sets the foreground color used to display text and graphics in a Map control for "
        "coordinate "
        "system mode.",
        [](K& k) { return Colour(k.ForeColor()); },
        [](K& k, const Variant& v) { k.setForeColor(ToColour(v)); });
    b.property(
        "hDC", 0x6803001d, VarType::Long,
        "Returns a handle (from Microsoft Windows) to the object's device context.",
        [](K& k) { return Variant(k.hDC()); }, nullptr, true);
    b.property(
        "hWnd", 0x6803001c, VarType::Long,
        "Returns a handle (from Microsoft Windows) to an object's window.",
        [](K& k) { return Variant(k.hWnd()); }, nullptr, true);
    b.property(
        "CurrentX", 0x6803001b, VarType::Single,
        "Returns/sets the horizontal coordinates for next print or draw method.",
        [](K& k) { return Variant(k.CurrentX()); },
        [](K& k, const Variant& v) { k.setCurrentX(v.toSingle()); }, true);
    b.property(
        "CurrentY", 0x6803001a, VarType::Single,
        "Returns/sets the vertical coordinates for next print or draw method.",
        [](K& k) { return Variant(k.CurrentY()); },
        [](K& k, const Variant& v) { k.setCurrentY(v.toSingle()); }, true);
    b.get("Font", int32_t(0xfffffe00), VarType::Object, "Returns a Font object.",
          [](K& k, Args&) { return Variant(ctl::ObjectPtr(k.Font())); });
    b.put(
        "Font", int32_t(0xfffffe00), VarType::Object, "Returns a Font object.",
        [](K& k, Args& a) {
            k.setFont(ObjectOf<ctl::Font>(a.back()));
            return Variant();
        },
        false, {}, true);
    b.method("TextHeight", 0x60030061, VarType::Single, {ctl::RefParam("strLine", VarType::String)},
             "Returns the height of a text string as it would be printed in the current font.",
             [](K& k, Args& a) { return Variant(k.TextHeight(a[0].toString())); });
    b.method("TextWidth", 0x60030062, VarType::Single, {ctl::RefParam("strLine", VarType::String)},
             "Returns the width of a text string as it would be printed in the current font.",
             [](K& k, Args& a) { return Variant(k.TextWidth(a[0].toString())); });
    b.property(
        "Title", 0x68030019, VarType::String,
        "Returns/sets the title printed for the current drawing.",
        [](K& k) { return Variant(k.Title()); },
        [](K& k, const Variant& v) { k.setTitle(v.toString()); });
    b.property(
        "TrackName", 0x68030018, VarType::String, "Returns/sets the track name to load from DB.",
        [](K& k) { return Variant(k.TrackName()); }, nullptr, true);
    b.property(
        "EnableMenu", 0x68030017, VarType::Boolean,
        "Returns/sets a value that determines whether the Map control has a menu activable with "
        "right mouse key "
        "(from system menu too).",
        [](K& k) { return Variant(k.EnableMenu()); },
        [](K& k, const Variant& v) { k.setEnableMenu(v.toBool()); });
    b.method("DrawLine", 0x60030064, VarType::Empty,
             {ctl::RefParam("X1", VarType::Single), ctl::RefParam("Y1", VarType::Single),
              ctl::RefParam("X2", VarType::Single), ctl::RefParam("Y2", VarType::Single)},
             "Draws a line having two points.", [](K& k, Args& a) {
                 k.DrawLine(a[0].toSingle(), a[1].toSingle(), a[2].toSingle(), a[3].toSingle());
                 return Variant();
             });
    b.property(
        "ViewPoints", 0x68030016, VarType::Boolean,
        "Returns/sets a value that determines whether the points of the Map control are visible.",
        [](K& k) { return Variant(k.ViewPoints()); },
        [](K& k, const Variant& v) { k.setViewPoints(v.toBool()); });
    b.method("Point_Add", 0x60030065, VarType::Boolean,
             {ctl::Param("X", VarType::Any), ctl::Param("Y", VarType::Any),
              ctl::OptParam("Key", VarType::String, Variant(""))},
             "Adds a point based on the X,Y coordinate. Returns 'False' if fails.",
             [](K& k, Args& a) { return Variant(k.Point_Add(a[0], a[1], a[2].toString())); });
    b.method("Point_Item", 0x60030066, VarType::Object, {ctl::RefParam("Index", VarType::Any)},
             "Returns a specific member of the points either by position or key  (default "
             "\"X:Y[,counter]\", counter > 1 if exist more points with the same coordinate). "
             "Returns the point coordinate and the ordinal position (Item.X, Item.Y and "
             "Item.Index).",
             [](K& k, Args& a) { return Variant(ctl::ObjectPtr(k.Point_Item(a[0]))); })
        .typed("tyPoint");
    b.method("Point_Index", 0x60030067, VarType::Long, {ctl::RefParam("Key", VarType::String)},
             "Returns the index of a point through its key (default \"X:Y[,counter]\", counter > "
             "1 if exist more points with the same coordinate).",
             [](K& k, Args& a) { return Variant(k.Point_Index(a[0].toString())); });
    b.method("Point_Count", 0x60030068, VarType::Long, {},
             "Returns the number of actual stored points.",
             [](K& k, Args&) { return Variant(k.Point_Count()); });
    b.method("Point_Clear", 0x60030069, VarType::Empty, {},
             "Clears all points stored with Point_Add method.", [](K& k, Args&) {
                 k.Point_Clear();
                 return Variant();
             });
    b.property(
        "MinX", 0x68030015, VarType::Any,
        "Returns/sets the min value of horizontal coordinate system.",
        [](K& k) { return Variant(k.MinX()); }, [](K& k, const Variant& v) { k.setMinX(v); });
    b.property(
        "MaxX", 0x68030014, VarType::Any,
        "Returns/sets the max value of horizontal coordinate system.",
        [](K& k) { return Variant(k.MaxX()); }, [](K& k, const Variant& v) { k.setMaxX(v); });
    b.property(
        "MinY", 0x68030013, VarType::Any,
        "Returns/sets the min value of vertical coordinate system.",
        [](K& k) { return Variant(k.MinY()); }, [](K& k, const Variant& v) { k.setMinY(v); });
    b.property(
        "MaxY", 0x68030012, VarType::Any,
        "Returns/sets the max value of vertical coordinate system.",
        [](K& k) { return Variant(k.MaxY()); }, [](K& k, const Variant& v) { k.setMaxY(v); });
    b.property(
        "ViewGrid", 0x68030011, VarType::Boolean,
        "Returns/sets a value that determines whether the grid of coordinate system is visible.",
        [](K& k) { return Variant(k.ViewGrid()); },
        [](K& k, const Variant& v) { k.setViewGrid(v.toBool()); });
    b.method("SetScaleUnit", 0x6003006d, VarType::Boolean, {},
             "Allows to set the coordinate system according assigned parameters (Min, Max, Left, "
             "Top, Right, "
             "Bottom and Unit). Returns 'False' if fails. Valid in coordinate system mode (named "
             "'ScaleSystem').",
             [](K& k, Args&) { return Variant(k.SetScaleUnit()); });
    b.property(
        "LeftScale", 0x68030010, VarType::Single,
        "Returns/sets the horizontal distance from the internal edge and the left external edge "
        "for the "
        "coordinate system mode.",
        [](K& k) { return Variant(k.LeftScale()); },
        [](K& k, const Variant& v) { k.setLeftScale(v.toSingle()); });
    b.property(
        "TopScale", 0x6803000f, VarType::Single,
        "Returns/sets the vertical distance from the internal edge and the top external edge for "
        "the coordinate "
        "system mode.",
        [](K& k) { return Variant(k.TopScale()); },
        [](K& k, const Variant& v) { k.setTopScale(v.toSingle()); });
    b.property(
        "RightScale", 0x6803000e, VarType::Single,
        "Returns/sets the horizontal distance from the internal edge and the right external edge "
        "for the "
        "coordinate system mode.",
        [](K& k) { return Variant(k.RightScale()); },
        [](K& k, const Variant& v) { k.setRightScale(v.toSingle()); });
    b.property(
        "BottomScale", 0x6803000d, VarType::Single,
        "Returns/sets the vertical distance from the internal edge and the bottom external edge "
        "for the "
        "coordinate system mode.",
        [](K& k) { return Variant(k.BottomScale()); },
        [](K& k, const Variant& v) { k.setBottomScale(v.toSingle()); });
    b.property(
        "UnitX", 0x6803000c, VarType::Long,
        "Returns/sets the scale unit of horizontal coordinate (optional).",
        [](K& k) { return Variant(k.UnitX()); },
        [](K& k, const Variant& v) { k.setUnitX(v.toInt32()); });
    b.property(
        "UnitY", 0x6803000b, VarType::Long,
        "Returns/sets the scale unit of vertical coordinate (optional).",
        [](K& k) { return Variant(k.UnitY()); },
        [](K& k, const Variant& v) { k.setUnitY(v.toInt32()); });
    b.property(
        "MapStyle", 0x6803000a, VarType::Long,
        "Returns/sets a value that determines the type of control and its behavior.",
        [](K& k) { return Variant(k.MapStyle()); },
        [](K& k, const Variant& v) { k.setMapStyle(v.toInt32()); });
    b.property(
        "GridColor", 0x68030009, VarType::Long,
        "Returns/sets the color used to draw the coordinate system grid.",
        [](K& k) { return Colour(k.GridColor()); },
        [](K& k, const Variant& v) { k.setGridColor(ToColour(v)); });
    b.property(
        "MouseValueX", 0x68030008, VarType::Any,
        "Returns the coordinate X value of mouse when pressed.",
        [](K& k) { return k.MouseValueX(); }, nullptr, true);
    b.property(
        "MouseValueY", 0x68030007, VarType::Any,
        "Returns the coordinate Y value of mouse when pressed.",
        [](K& k) { return k.MouseValueY(); }, nullptr, true);
    b.property(
        "MouseScan", 0x68030006, VarType::Boolean,
        "Returns/sets a value that determines whether the mouse moving must update 'MouseValueX' "
        "and "
        "'MouseValueY' properties. Valid in coordinate system mode (named 'ScaleSystem').",
        [](K& k) { return Variant(k.MouseScan()); },
        [](K& k, const Variant& v) { k.setMouseScan(v.toBool()); });
    b.property(
        "XAsDate", 0x68030005, VarType::Boolean,
        "Allows to calculate as date the values of horizontal coordinate (X= dd/mm/yyyy).",
        [](K& k) { return Variant(k.XAsDate()); },
        [](K& k, const Variant& v) { k.setXAsDate(v.toBool()); });
    b.property(
        "YAsDate", 0x68030004, VarType::Boolean,
        "Allows to calculate as date the values of vertical coordinate (Y= dd/mm/yyyy).",
        [](K& k) { return Variant(k.YAsDate()); },
        [](K& k, const Variant& v) { k.setYAsDate(v.toBool()); });
    b.property(
        "ClipControls", 0x68030003, VarType::Boolean,
        "Determines whether graphics methods in Paint events repaint an entire object or newly "
        "exposed areas.",
        [](K& k) { return Variant(k.ClipControls()); },
        [](K& k, const Variant& v) { k.setClipControls(v.toBool()); });
    b.method("PrintText", 0x60030074, VarType::Empty, {ctl::Param("Text", VarType::String)},
             "Prints the specified text in current position (CurrentX, CurrentY) and with current "
             "Font and TextColor.",
             [](K& k, Args& a) {
                 k.PrintText(a[0].toString());
                 return Variant();
             });
    b.property(
        "TitleColor", 0x68030002, VarType::Long, "Returns/sets the color used to print the title.",
        [](K& k) { return Colour(k.TitleColor()); },
        [](K& k, const Variant& v) { k.setTitleColor(ToColour(v)); });
    b.property(
        "TextColor", 0x68030001, VarType::Long,
        "Returns/sets the text color used with the PrintText method.",
        [](K& k) { return Colour(k.TextColor()); },
        [](K& k, const Variant& v) { k.setTextColor(ToColour(v)); });
    b.property(
        "TrackColor", 0x68030000, VarType::Long,
        "Returns/sets the color used to draw a Track in map mode.",
        [](K& k) { return Colour(k.TrackColor()); },
        [](K& k, const Variant& v) { k.setTrackColor(ToColour(v)); });
}

void AddEvents(ctl::ClassBuilder<K>& b) {
    using ctl::RefParam;
    auto mouse = [] {
        return std::vector<ctl::ParamInfo>{
            RefParam("Button", VarType::Integer), RefParam("Shift", VarType::Integer),
            RefParam("X", VarType::Single), RefParam("Y", VarType::Single)};
    };
    b.event("MouseDown", 1, mouse(),
            "Occurs when the user presses the mouse button while an object has the focus.");
    b.event("MouseMove", 2, mouse(), "Occurs when the user moves the mouse.");
    b.event("MouseUp", 3, mouse(),
            "Occurs when the user releases the mouse button while an object has the focus.");
    b.event("StartDrawing", 4, {RefParam("Cancel", VarType::Boolean)},
            "Occurs when is running a track drawing.");
    b.event("FinishDrawing", 5, {}, "Occurs when a drawing action is done.");
    b.event("ChangeScaleSetting", 6, {ctl::Param("Redraw", VarType::Boolean)},
            "Occurs when have changed scale settings of the control in coordinate system mode. "
            "Redraw is 'True' if "
            "the control need a call to method 'Draw'.");
    b.enumeration({"enBorderStyle", {{"None", 0, "None"}, {"Fixed Single", 1, "Fixed Single"}}});
    b.enumeration({"enMapStyle", {{"Scale System", 1, "Scale System"}}});
}

ctl::ClassInfo BuildTypeInfo() {
    ctl::ClassInfo info;
    info.progId = "Karvex.ucKarvex";
    info.help = "Karvex Custom Control";
    ctl::ClassBuilder<K> b(info);
    AddMembers(b);
    AddEvents(b);
    // Enumeration, colour and object types, on the get and the put alike.
    const std::pair<const char*, const char*> typed[] = {
        {"BorderStyle", "enBorderStyle"}, {"MapStyle", "enMapStyle"},
        {"Picture", "Picture"},           {"Font", "Font"},
        {"BackColor", "OLE_COLOR"},       {"ForeColor", "OLE_COLOR"},
        {"GridColor", "OLE_COLOR"},       {"TitleColor", "OLE_COLOR"},
        {"TextColor", "OLE_COLOR"},       {"TrackColor", "OLE_COLOR"}};
    for (auto& m : info.members)
        for (const auto& [name, type] : typed)
            if (m.name == name) m.resultTypeName = type;
    return info;
}
}  // namespace

const ctl::ClassInfo& ucKarvexTypeInfo() {
    static const ctl::ClassInfo info = BuildTypeInfo();
    return info;
}

const ctl::ClassInfo* ucKarvex::typeInfo() const {
    return &ucKarvexTypeInfo();
}

}  // namespace karvex
