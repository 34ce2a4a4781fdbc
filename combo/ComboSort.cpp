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
        // The numbers kept beside their rows: the sort reads them in order.
        std::vector<std::pair<double, int32_t>> entries(keys.size());
        for (size_t i = 0; i < keys.size(); ++i) entries[i] = {keys[i], int32_t(i)};
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            ctl::YieldSlice();
            return a.first < b.first;
        });
        for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].second;
        return order;
    }
    const std::vector<std::string>& cells = col_ == 1 ? rows.col1 : rows.col2;
    ctl::CollationKeys keys;
    keys.reserve(cells.size());
    for (const std::string& cell : cells) {
        keys.add(cell);
        ctl::YieldSlice();
    }
    // Rows sorted by their keys' first bytes, kept beside them; the whole keys are compared
    // only when those are equal.
    struct Entry {
        uint64_t prefix;
        int32_t row;
    };
    std::vector<Entry> entries(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) entries[i] = {keys.prefix(i), int32_t(i)};
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        ctl::YieldSlice();
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        return keys.less(size_t(a.row), size_t(b.row));
    });
    for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].row;
    return order;
}

}  // namespace quorlin
