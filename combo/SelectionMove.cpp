#include "combo/SelectionMove.h"

#include <algorithm>

namespace quorlin {

bool IsMoveKey(int keyCode) {
    return keyCode == vbKeyPageUp || keyCode == vbKeyPageDown || keyCode == vbKeyUp ||
           keyCode == vbKeyDown;
}

int MovedRow(int keyCode, int cur, int n) {
    switch (keyCode) {
        case vbKeyPageUp:
        case vbKeyUp: {
            if (cur == 0 || cur == -1) return -1;
            int step = keyCode == vbKeyPageUp ? kPageRows : 1;
            return std::max(cur - step, 0);
        }
        case vbKeyPageDown:
        case vbKeyDown: {
            if (cur == n - 1 || n <= 0) return -1;
            int step = keyCode == vbKeyPageDown ? kPageRows : 1;
            return std::min(cur + step, n - 1);
        }
        default:
            return -1;
    }
}

}  // namespace quorlin
