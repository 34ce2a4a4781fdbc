#include "apps/ctlhost/ReferenceNotes.h"

#include <strings.h>

namespace ctlhost {

namespace {
const char* const kTwipsMargin =
    "In twips (1/1440 inch) of the drawing surface. A negative value becomes 0, a value above "
    "half the surface becomes that half; the frame moves at the next SetScaleUnit or Draw.";

ReferenceNotes ChartNotes() {
    ReferenceNotes n;
    n.members = {
        {"EditScaleSetting",
         "Raises 1032 in map mode and 400 when the dialog is already shown. The dialog's OK "
         "and Draw write the range, unit and colour properties and call SetScaleUnit; "
         "ChangeScaleSetting follows (Redraw True: call Draw again to plot the points)."},
        {"Draw",
         "Plots the points given with Point_Add. Returns False with the reason in "
         "ControlError, and also raises 1023 (that reason as its description) when the points "
         "cannot be placed, or 1033 when there are too few (two in coordinate-system mode, "
         "one in map mode). Setting FlagExit during the drawing ends it; the result is then "
         "True."},
        {"DrawTrack",
         "Map mode: replays a stored track, branch by branch. Returns False with the reason in "
         "ControlError when it cannot (1031 for a track the store does not hold)."},
        {"BaseStep", "In twips per animation step."},
        {"Delay", "In milliseconds between animation steps; 0 draws each segment at once."},
        {"DrawWidth", "In pixels."},
        {"FlagExit",
         "Setting it at design time raises 382. True at run time stops every drawing and "
         "playback at its next check and clears the picture; Draw and SetScaleUnit set it "
         "False again when they start."},
        {"ControlError",
         "The description of the last failure of Draw, DrawTrack, SetScaleUnit "
         "or Point_Add; \"\" after a success of SetScaleUnit or a drawing."},
        {"Width", "In twips."},
        {"Height", "In twips."},
        {"CurrentX", "In twips from the left edge of the drawing surface."},
        {"CurrentY", "In twips from the top edge of the drawing surface."},
        {"TextHeight", "In twips, in the current font."},
        {"TextWidth", "In twips, in the current font."},
        {"DrawLine",
         "X1, Y1, X2, Y2 in twips of the drawing surface (no data mapping); nothing is drawn "
         "while FlagExit is True or the control is disabled."},
        {"Point_Add",
         "X and Y are numbers or dates. In coordinate-system mode a value outside MinX..MaxX "
         "or MinY..MaxY raises 1024 to 1027 (the text also stays in ControlError); in map mode "
         "X and Y are twips of the drawing surface."},
        {"Point_Item", "Raises 91 at design time (there is no series then)."},
        {"MinX",
         "With XAsDate a day number (days since 30 December 1899); a date or a text "
         "that reads as one sets XAsDate True. A number is rounded to a whole one."},
        {"MaxX", "As MinX."},
        {"MinY", "As MinX, with YAsDate."},
        {"MaxY", "As MinX, with YAsDate."},
        {"SetScaleUnit",
         "Never raises: returns False with the reason in ControlError (1028, 1029, or 1032 in "
         "map mode)."},
        {"LeftScale", kTwipsMargin},
        {"TopScale", kTwipsMargin},
        {"RightScale", kTwipsMargin},
        {"BottomScale", kTwipsMargin},
        {"UnitX",
         "In data units (days with a date axis) between ticks; a value below 1 "
         "becomes 1."},
        {"UnitY", "As UnitX."},
        {"MapStyle",
         "1 is coordinate-system mode (\"Scale System\"); 0 is map mode, which has no "
         "enumerator name: assign the number 0."},
        {"MouseValueX",
         "Text: the date \"dd/mm/yyyy\" with a date axis, else the number with "
         "up to two decimals."},
        {"MouseValueY", "As MouseValueX."},
        {"XAsDate",
         "Setting it True in map mode at run time raises 1030 (MinX 0, MaxX 100 and "
         "UnitX 10 are restored)."},
        {"YAsDate", "As XAsDate, for MinY, MaxY and UnitY."},
    };
    n.types = {{"tyPoint",
                "a point of the series: X and Y (Variant, as given to Point_Add) and Index "
                "(Long, its 1-based position when it was added)"}};
    n.values = {{"enMapStyle", 0, "map mode (no enumerator name)"}};
    n.errorsIntro =
        "Draw, DrawTrack, SetScaleUnit and Point_Add report a failure by returning False and "
        "leaving its description in ControlError; Draw and Point_Add also raise it, with the "
        "numbers below. Other members raise their errors to the caller.";
    n.errors = {
        {91, "Object variable or With block variable not set",
         "the point members (Point_Item, Point_Index, Point_Count, Point_Clear) at design time"},
        {382, "Set not supported at run time (the platform's text for this number)",
         "setting FlagExit at design time"},
        {400, "Form already displayed; can't show modally",
         "EditScaleSetting while the dialog is shown"},
        {1023, "the text of ControlError", "Draw, when the points cannot be placed"},
        {1024, "detail + \"The X value is lesser than MinX assigned.\"", "Point_Add"},
        {1025, "detail + \"The X value is greater than MaxX assigned.\"", "Point_Add"},
        {1026, "detail + \"The Y value is lesser than MinY assigned.\"", "Point_Add"},
        {1027, "detail + \"The Y value is greater than MaxY assigned.\"", "Point_Add"},
        {1028, "The property value of MinX is greater than MaxX",
         "SetScaleUnit (in ControlError), Draw (as 1023)"},
        {1029, "The property value of MinY is greater than MaxY",
         "SetScaleUnit (in ControlError), Draw (as 1023)"},
        {1030, "Invalid setting if 'MapStyle' = 0", "XAsDate, YAsDate set True in map mode"},
        {1031, "The Track ''NAME'' is not available.", "DrawTrack (in ControlError)"},
        {1032, "Invalid method if 'MapStyle' = 0",
         "EditScaleSetting (raised), SetScaleUnit (in ControlError)"},
        {1033, "Need more points to execute the Track drawing.", "Draw"},
    };
    return n;
}

ReferenceNotes ComboNotes() {
    const char* const index =
        "Rows are numbered from 0; a negative index raises 5, an index past the last row 6 "
        "(\"Item 'N' do not exist\").";
    ReferenceNotes n;
    n.members = {
        {"AddItem", "Col1 and Col2 are the row's two cells, ID its item data."},
        {"RemoveItem", index},
        {"List", std::string(index) +
                     " The row as one text: read, the two cells joined by a tab; written, "
                     "split at the first tab (else at the first \";\")."},
        {"TextCol", "Col 1 or 2; another value raises 5."},
        {"ListCol", std::string("Col 1 or 2; another value raises 5. ") + index},
        {"ListCount",
         "Read-only in effect: writing it always raises 7 \"Can't assign to read-only "
         "property\" at run time (at design time the same text shows in a message box)."},
        {"ListIndex", "-1 for no row. " + std::string(index)},
        {"ItemData", index},
        {"Text", "In Style 2 (Dropdown List) writing it raises 7 at run time."},
        {"WidthCol1",
         "In twips. A value from 1 to 269 becomes 270; 0 hides the column while the other is "
         "shown; a negative value is ignored."},
        {"WidthCol2", "In twips, with the rules of WidthCol1."},
        {"ListHeight", "In twips: the height of the list (the visible rows)."},
        {"Style",
         "A design-time property: writing it at run time always raises 7 \"Can't assign to "
         "read-only property\", or 9 \"Illegal value style\" for a value outside 0 to 2."},
        {"TopIndex", index},
        {"Sort",
         "Col 1 or 2 sorts on that column (as numbers with OnNumeric), 3 on the item data; "
         "another value raises 5."},
    };
    n.errorsIntro = "Every failure is raised to the caller with its number and description.";
    n.errors = {
        {5, "Invalid procedure call or argument",
         "a negative row index, a column other than 1 or 2 (Sort: 1 to 3), a Font of None"},
        {6, "Item 'N' do not exist",
         "an index past the last row (List, ListCol, ItemData, ListIndex, TopIndex, "
         "RemoveItem); 6 \"Overflow\" for an index above 32767"},
        {7, "Can't assign to read-only property",
         "Style or ListCount written at run time; Text written in Style 2"},
        {9, "Illegal value style", "Style written with a value outside 0 to 2"},
        {13, "Type mismatch", "a value that cannot be converted to the member's type"},
    };
    return n;
}
}  // namespace

std::string ReferenceNotes::memberNote(const std::string& member) const {
    for (const Note& m : members)
        if (m.member == member) return m.text;
    return {};
}

std::string ReferenceNotes::typeNote(const std::string& type) const {
    for (const TypeNote& t : types)
        if (t.type == type) return t.text;
    return {};
}

const ReferenceNotes& NotesFor(const std::string& progId) {
    static const ReferenceNotes chart = ChartNotes(), combo = ComboNotes(), none;
    if (strcasecmp(progId.c_str(), "Karvex.ucKarvex") == 0) return chart;
    if (strcasecmp(progId.c_str(), "Quorlin.ucvQuorlin") == 0) return combo;
    return none;
}

}  // namespace ctlhost
