#include "combo/ComboSort.h"

#include <algorithm>
#include <numeric>

#include "platform/com/RaisedError.h"
#include "platform/sys/Collation.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

namespace quorlin {

namespace {
std::vector<int32_t> Identity(size_t n) {
    std::vector<int32_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}
}  // namespace

std::vector<double> ComboSort::NumberKeys(const SortRows& rows) {
    std::vector<double> keys(rows.size());
    if (col_ == 3) {
        for (size_t i = 0; i < rows.size(); ++i) keys[i] = double(rows.data[i]);
        return keys;
    }
    const std::vector<std::string>& cells = col_ == 1 ? rows.col1 : rows.col2;
    PlainNumbers = cells.empty() || cells[0].find(',') == std::string::npos;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (PlainNumbers) {
            keys[i] = ctl::LeadingNumber(cells[i]);
        } else if (!ctl::ParseLocaleNumber(cells[i], keys[i])) {
            ctl::Raise(ctl::errTypeMismatch);
        }
        ctl::YieldSlice();
    }
    return keys;
}

std::vector<int32_t> ComboSort::Order(const SortRows& rows) {
    std::vector<int32_t> order = Identity(rows.size());
    if (NumericSort) {
        std::vector<double> keys = NumberKeys(rows);
        std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
            ctl::YieldSlice();
            return keys[size_t(a)] < keys[size_t(b)];
        });
        return order;
    }
    const std::vector<std::string>& cells = col_ == 1 ? rows.col1 : rows.col2;
    ctl::CollationKeys keys;
    keys.reserve(cells.size());
    for (const std::string& cell : cells) {
        keys.add(cell);
        ctl::YieldSlice();
    }
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        ctl::YieldSlice();
        return keys.less(size_t(a), size_t(b));
    });
    return order;
}

}  // namespace quorlin
