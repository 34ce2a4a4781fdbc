#include "combo/ComboSort.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "platform/com/RaisedError.h"
#include "platform/sys/Collation.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
std::u16string_view TrimBlanks(std::u16string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == u' ') ++b;
    while (e > b && s[e - 1] == u' ') --e;
    return s.substr(b, e - b);
}

// Events ran and took the rows away.
bool RowsGone(const SortInput& rows) {
    return ctl::YieldSlice() && !rows.present();
}
}  // namespace

bool ComboSort::NumberKeys(const SortInput& rows, std::vector<double>& keys) {
    keys.resize(rows.rows);
    if (col_ == 3) {
        for (size_t i = 0; i < rows.rows; ++i) keys[i] = double(rows.data(i));
        return true;
    }
    std::string cell;  // one buffer for every cell's UTF-8
    for (size_t i = 0; i < rows.rows; ++i) {
        cell.clear();
        ctl::AppendUtf8(TrimBlanks(rows.cell(i)), cell);
        if (i == 0) PlainNumbers = cell.find(',') == std::string::npos;
        if (PlainNumbers) {
            keys[i] = ctl::LeadingNumber(cell);
        } else if (!ctl::ParseLocaleNumber(cell, keys[i])) {
            ctl::Raise(ctl::errTypeMismatch);
        }
        if (RowsGone(rows)) return false;
    }
    return true;
}

std::vector<int32_t> ComboSort::Order(const SortInput& rows) {
    if (!rows.present()) return {};
    std::vector<int32_t> order(rows.rows);
    if (NumericSort) {
        std::vector<double> keys;
        if (!NumberKeys(rows, keys)) return {};
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
    ctl::CollationKeys keys;
    keys.reserve(rows.rows);
    for (size_t i = 0; i < rows.rows; ++i) {
        keys.add(TrimBlanks(rows.cell(i)));
        if (RowsGone(rows)) return {};
    }
    // Rows sorted by their keys' first sixteen bytes, kept beside them (texts that begin
    // alike, "Code 1041", "Code 1042", mostly differ there); the whole keys are compared only
    // when those are equal.
    struct Entry {
        uint64_t head, next;
        int32_t row;
    };
    std::vector<Entry> entries(rows.rows);
    for (size_t i = 0; i < rows.rows; ++i)
        entries[i] = {keys.prefix(i), keys.prefix(i, 8), int32_t(i)};
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        ctl::YieldSlice();
        if (a.head != b.head) return a.head < b.head;
        if (a.next != b.next) return a.next < b.next;
        return keys.less(size_t(a.row), size_t(b.row));
    });
    for (size_t i = 0; i < entries.size(); ++i) order[i] = entries[i].row;
    return order;
}

}  // namespace quorlin
