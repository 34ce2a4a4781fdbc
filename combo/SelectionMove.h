#pragma once

// How the combo's keys move the selected row: one rule shared by the edit cells, the lists of
// the simple style and the drop-down window.
namespace quorlin {

// Key codes of the window system that move the selection, and the others the combo watches.
enum KeyCodes : int {
    vbKeyReturn = 13,
    vbKeyEscape = 27,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyUp = 38,
    vbKeyDown = 40,
    vbKeyDelete = 46,
};
constexpr int kPageRows = 10;

bool IsMoveKey(int keyCode);

// The row that a move key selects in a list of n rows whose selected row is cur (-1 for none),
// or -1 when nothing moves: Up and PageUp stop on the first row or with no selection, Down and
// PageDown stop on the last row. With no selection Down selects row 0 and PageDown row 9 (or
// the last row).
int MovedRow(int keyCode, int cur, int n);

}  // namespace quorlin
