// Sort: the rows reordered on one column while the list is closed to the host.
#include "combo/ComboSort.h"
#include "combo/ucvQuorlin.h"
#include "combo/ucvQuorlinAccessible.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Screen.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
constexpr int kHourglass = 11;
}

// The busy state of a sort: hourglass, SortBusy and the control disabled, all put back when
// the sort ends, also when it ends with an error.
class ucvQuorlin::SortBusyScope {
  public:
    explicit SortBusyScope(ucvQuorlin& c) : c_(c) {
        ctl::Screen::setMousePointer(kHourglass);
        c_.SortBusy = true;
        c_.setControlEnabled(false);
    }
    ~SortBusyScope() {
        try {
            c_.setControlEnabled(true);
        } catch (...) {
        }
        c_.SortBusy = false;
        ctl::Screen::setMousePointer(0);
    }

  private:
    ucvQuorlin& c_;
};

void ucvQuorlin::Sort(int16_t Col, bool OnNumeric) {
    if (Busy()) return;
    if (Col < 1 || Col > 3) ctl::Raise(ctl::errInvalidCall, "Invalid procedure call or argument");
    int32_t n = ListCount();
    if (n == 0) return;
    SortBusyScope busy(*this);
    ctl::ResetYieldSlice();

    // The cells are read as they are, not re-split from the composed row, so a first cell that
    // holds a tab keeps it. They are read in place while the keys are made; events may run
    // meanwhile and end the control or change its style, which ends the sort.
    Pair p = RowPair();
    // What reading the rows one by one leaves in the caches: the last row.
    m_List = p.col1->List(n - 1) + "\t" + p.col2->List(n - 1);
    m_ItemData = p.col1->ItemData(n - 1);
    ctl::ListBox& column = Col == 2 ? *p.col2 : *p.col1;
    SortInput input;
    input.rows = size_t(n);
    input.cell = [&](size_t row) { return column.ListUtf16(int(row)); };
    input.data = [&](size_t row) { return p.col1->ItemData(int(row)); };
    input.present = [&] { return SamePair(p, n); };
    std::vector<int32_t> order = ComboSort(Col, OnNumeric).Order(input);
    if (order.empty() || !SamePair(p, n)) return;
    PutInOrder(p, order);
}

// The rows moved into their new order within the lists, their cells trimmed, with no row
// selected and the first at the top, as after clearing the list and adding them again.
void ucvQuorlin::PutInOrder(const Pair& p, const std::vector<int32_t>& order) {
    bool trimmed1 = false;
    p.col1->Reorder(order, true, &trimmed1);
    p.col2->Reorder(order, true);
    lblCol1.setCaption("");
    lblCol2.setCaption("");
    txtCol1.setText("");
    txtCol2.setText("");
    m_ListIndex = -1;
    m_TopIndex = 0;
    if (!OwnPair(p)) {
        ClearOwnPair();
    } else {
        // The same rows, some cells shorter: the first column's counts are taken again when a
        // cell changed; the second's when next needed.
        if (trimmed1) {
            seen1_.clear();
            for (int i = 0, rows = lstCol1a.ListCount(); i < rows; ++i)
                seen1_.add(lstCol1a.List(i));
        }
        seen2_.clear();
        seen2Counted_ = false;
    }
    accessible_->RowsChanged();
}

// Whether the rows still live in `p`: events run during a sort may end the control.
bool ucvQuorlin::SamePair(const Pair& p, int32_t count) {
    Pair now = RowPair();
    return p.col1 && now.col1 == p.col1 && now.col1->ListCount() == count;
}

}  // namespace quorlin
