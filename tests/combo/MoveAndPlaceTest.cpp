// The selection-move rule and the drop-down placement, as plain arithmetic.
#include <gtest/gtest.h>

#include "combo/ListPlacement.h"
#include "combo/SelectionMove.h"

using namespace quorlin;

TEST(SelectionMove, StopsAtTheEdgesAndStartsFromNoSelection) {
    struct Case {
        int key, cur, n, want;
    } cases[] = {
        {vbKeyDown, -1, 3, 0},     {vbKeyPageDown, -1, 30, 9}, {vbKeyPageDown, -1, 4, 3},
        {vbKeyDown, 2, 3, -1},     {vbKeyPageDown, 2, 3, -1},  {vbKeyPageDown, 5, 12, 11},
        {vbKeyUp, -1, 3, -1},      {vbKeyUp, 0, 3, -1},        {vbKeyPageUp, 4, 9, 0},
        {vbKeyPageUp, 25, 30, 15}, {vbKeyUp, 7, 9, 6},         {vbKeyDown, -1, 0, -1},
        {vbKeyEnd, 1, 5, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.key << " from " << c.cur << " of " << c.n);
        EXPECT_EQ(MovedRow(c.key, c.cur, c.n), c.want);
    }
    EXPECT_TRUE(IsMoveKey(vbKeyPageUp));
    EXPECT_FALSE(IsMoveKey(vbKeyDelete));
}

namespace {
// Lists whose rows are 195 twips high, inside a 30-twip outline.
int Fit(int h) {
    return h <= 30 ? 30 : 30 + (h - 30) / 195 * 195;
}
constexpr int kScreenW = 12000, kScreenH = 9000;
}  // namespace

TEST(ListPlacement, OpensBelowOrAboveAndShortensToTheScreen) {
    // Room below: under the control.
    ListPlace p =
        PlaceList({100, 100, 380, 122}, 15, 15, kScreenW, kScreenH, 1800, 4200, false, Fit);
    EXPECT_EQ(p.top, 122 * 15);
    EXPECT_EQ(p.height, 1800);
    EXPECT_EQ(p.left, 1500);
    // Near the bottom: above, ending at the control's top.
    p = PlaceList({100, 560, 380, 582}, 15, 15, kScreenW, kScreenH, 1800, 4200, false, Fit);
    EXPECT_EQ(p.top + p.height, 560 * 15);
    EXPECT_EQ(p.height, 1800);
    // A list taller than either side: the side with more room, shortened to whole rows.
    p = PlaceList({100, 200, 380, 222}, 15, 15, kScreenW, kScreenH, 8000, 4200, false, Fit);
    EXPECT_EQ(p.top, 222 * 15);
    EXPECT_EQ(p.height, Fit(kScreenH - 222 * 15));
    EXPECT_LE(p.top + p.height, kScreenH);
    p = PlaceList({100, 400, 380, 422}, 15, 15, kScreenW, kScreenH, 8000, 4200, false, Fit);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.height, Fit(400 * 15));
    // Never taller than the screen.
    p = PlaceList({0, 0, 10, 0}, 15, 15, kScreenW, kScreenH, 100000, 4200, false, Fit);
    EXPECT_LE(p.height, kScreenH);
}

TEST(ListPlacement, HiddenFirstColumnAndTheScreenEdges) {
    ListPlace p =
        PlaceList({200, 100, 480, 122}, 15, 15, kScreenW, kScreenH, 1800, 3000, true, Fit);
    EXPECT_EQ(p.left, 200 * 15 - 1100);
    p = PlaceList({50, 100, 330, 122}, 15, 15, kScreenW, kScreenH, 1800, 3000, true, Fit);
    EXPECT_EQ(p.left, 0);  // not past the left edge
    p = PlaceList({700, 100, 980, 122}, 15, 15, kScreenW, kScreenH, 1800, 3000, false, Fit);
    EXPECT_EQ(p.left, kScreenW - 3000);  // ends at the right edge
}
