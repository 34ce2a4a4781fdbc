#include "chart/ucKarvexAccessible.h"

#include <algorithm>
#include <cmath>

#include "chart/KarvexState.h"
#include "chart/map/TrackStore.h"
#include "chart/plot/TickPlan.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

namespace karvex {

namespace {
// A limit as the user reads it: a date in the locale's short form on a date axis.
std::string RangeText(float value, bool asDate) {
    const double day = std::trunc(double(value));
    if (asDate && ctl::IsValidDateSerial(day)) return ctl::FormatDate(day, "Short Date");
    return NumericTickLabel(value);
}
}  // namespace

ucKarvexAccessible::ucKarvexAccessible(ucKarvex& chart)
    : ctl::AccessibleSource(chart), chart_(chart) {}

bool ucKarvexAccessible::MapMode() const {
    return chart_.MapStyle() == 0;
}

std::string ucKarvexAccessible::Name() const {
    if (!chart_.Title().empty()) return chart_.Title();
    const std::string name = chart_.ctl::Widget::Name();
    return name.empty() ? chart_.typeName() : name;
}

std::string ucKarvexAccessible::Description() const {
    if (MapMode()) return "Map";
    return "Scale System, X " + RangeText(chart_.MinX(), chart_.XAsDate()) + " to " +
           RangeText(chart_.MaxX(), chart_.XAsDate()) + ", Y " +
           RangeText(chart_.MinY(), chart_.YAsDate()) + " to " +
           RangeText(chart_.MaxY(), chart_.YAsDate());
}

const std::vector<size_t>& ucKarvexAccessible::ReadingOrder() const {
    const auto& printed = chart_.pic_main->Printed();
    // The surface may have been cleared and printed on again without a word to this source.
    const bool same =
        !orderStale_ && orderSize_ == printed.size() &&
        (printed.empty() || (printed.back().text == orderLast_ && printed.back().x == orderLastX_ &&
                             printed.back().y == orderLastY_));
    if (same) return order_;
    order_.resize(printed.size());
    for (size_t i = 0; i < order_.size(); ++i) order_[i] = i;
    std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
        const ctl::PrintedText &ta = printed[a], &tb = printed[b];
        return ta.y != tb.y ? ta.y < tb.y : ta.x < tb.x;
    });
    orderSize_ = printed.size();
    if (!printed.empty()) {
        orderLast_ = printed.back().text;
        orderLastX_ = printed.back().x;
        orderLastY_ = printed.back().y;
    }
    orderStale_ = false;
    return order_;
}

int ucKarvexAccessible::DataPart() const {
    return int(chart_.pic_main->Printed().size());
}

int ucKarvexAccessible::PartCount() const {
    return DataPart() + 1;
}

ctl::AccessiblePart ucKarvexAccessible::Part(int index) const {
    const auto& order = ReadingOrder();
    if (index >= 0 && size_t(index) < order.size())
        return {ctl::AccessiblePart::Text, chart_.pic_main->Printed()[order[size_t(index)]].text,
                "", nullptr};
    if (MapMode()) return {ctl::AccessiblePart::List, "Tracks", "", nullptr};
    return {ctl::AccessiblePart::Table, "Points", "", nullptr};
}

const std::vector<std::string>& ucKarvexAccessible::TrackNames() const {
    if (!tracksStale_) return tracks_;
    tracks_.clear();
    // The store answers only at run time, once opened; a failing store lists nothing.
    try {
        if (chart_.UserMode() && !chart_.DbUnusable() && chart_.Store().IsOpen())
            tracks_ = chart_.Store().ListTrackNames();
    } catch (const std::exception&) {
        tracks_.clear();
    }
    tracksStale_ = false;
    return tracks_;
}

int ucKarvexAccessible::Rows(int part) const {
    if (part != DataPart()) return 0;
    if (MapMode()) return int(TrackNames().size());
    try {
        return chart_.Point_Count();
    } catch (const ctl::RaisedError&) {
        return 0;  // no series at design time
    }
}

int ucKarvexAccessible::Columns(int part) const {
    return part == DataPart() && !MapMode() ? 2 : 1;
}

std::string ucKarvexAccessible::ColumnName(int part, int column) const {
    if (part != DataPart()) return {};
    if (MapMode()) return "Track";
    return column == 0 ? "X" : "Y";
}

// A coordinate as its axis writes it: dates in the axis's date form, numbers as its labels.
std::string ucKarvexAccessible::PointText(int row, int column) const {
    tyPointPtr p = chart_.Point_Item(ctl::Variant(int32_t(row + 1)));
    const ctl::Variant& v = column == 0 ? p->X : p->Y;
    const bool asDate = column == 0 ? chart_.XAsDate() : chart_.YAsDate();
    try {
        if (ctl::IsDateNotNumber(v) || (asDate && v.isDate())) {
            const double day = std::trunc(v.toDateSerial());
            if (ctl::IsValidDateSerial(day))
                return ctl::FormatDate(day, Library().ShortDatePattern);
        }
        if (asDate && v.isNumber() && ctl::IsValidDateSerial(std::trunc(v.toDouble())))
            return ctl::FormatDate(std::trunc(v.toDouble()), Library().ShortDatePattern);
        return NumericTickLabel(v.toDouble());
    } catch (const ctl::RaisedError&) {
        return v.toString();  // neither number nor date: as the host gave it
    }
}

std::string ucKarvexAccessible::Cell(int part, int row, int column) const {
    if (part != DataPart() || row < 0 || row >= Rows(part) || column < 0 || column >= Columns(part))
        return {};
    if (MapMode()) return TrackNames()[size_t(row)];
    try {
        return PointText(row, column);
    } catch (const ctl::RaisedError&) {
        return {};
    }
}

void ucKarvexAccessible::TitleChanged() {
    Announce(ctl::AccessibleChange::Name);
}

void ucKarvexAccessible::RangesChanged() {
    Announce(ctl::AccessibleChange::Description);
}

void ucKarvexAccessible::TextsChanged() {
    orderStale_ = true;
    Announce(ctl::AccessibleChange::Parts);
}

void ucKarvexAccessible::DrawingFinished() {
    TextsChanged();
    Announce(ctl::AccessibleChange::Rows, DataPart());
}

void ucKarvexAccessible::TracksChanged() {
    tracksStale_ = true;
    Announce(ctl::AccessibleChange::Rows, DataPart());
}

}  // namespace karvex
