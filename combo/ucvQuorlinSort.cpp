// Sort: the rows reordered on one column while the list is closed to the host.
#include "combo/ComboSort.h"
#include "combo/ucvQuorlin.h"
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
    // holds a tab keeps it.
    Pair p = RowPair();
    SortRows rows;
    rows.col1.reserve(size_t(n));
    rows.col2.reserve(size_t(n));
    rows.data.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        if (!SamePair(p, n)) return;  // the control ended or changed its style meanwhile
        rows.col1.push_back(ctl::Trim(p.col1->List(i)));
        rows.col2.push_back(ctl::Trim(p.col2->List(i)));
        rows.data.push_back(p.col1->ItemData(i));
        ctl::YieldSlice();
    }
    // What reading the rows one by one leaves in the caches: the last row.
    m_List = p.col1->List(n - 1) + "\t" + p.col2->List(n - 1);
    m_ItemData = rows.data.back();

    std::vector<int32_t> order = ComboSort(Col, OnNumeric).Order(rows);
    if (!SamePair(p, n)) return;
    ClearRows();
    AppendInOrder(p, rows, order);
}

// The rows put back in one pass, each list told once.
void ucvQuorlin::AppendInOrder(const Pair& p, SortRows& rows, const std::vector<int32_t>& order) {
    std::vector<std::string> col1, col2;
    std::vector<int32_t> data;
    col1.reserve(order.size());
    col2.reserve(order.size());
    data.reserve(order.size());
    for (int32_t i : order) {
        col1.push_back(std::move(rows.col1[size_t(i)]));
        col2.push_back(std::move(rows.col2[size_t(i)]));
        data.push_back(rows.data[size_t(i)]);
    }
    p.col1->AddItems(col1, data);
    p.col2->AddItems(col2, {});
    if (OwnPair(p)) {
        for (const std::string& c : col1) seen1_.add(c);
        if (seen2Counted_)
            for (const std::string& c : col2) seen2_.add(c);
    }
}

// Whether the rows still live in `p`: events run during a sort may end the control.
bool ucvQuorlin::SamePair(const Pair& p, int32_t count) {
    Pair now = RowPair();
    return p.col1 && now.col1 == p.col1 && now.col1->ListCount() == count;
}

}  // namespace quorlin
