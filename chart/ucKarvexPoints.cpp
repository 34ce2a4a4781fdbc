// The chart's point series: adding points with their range checks, and reading them back.
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Text.h"

namespace karvex {

using ctl::Variant;

void ucKarvex::CreatePoints() {
    Points = std::make_unique<clsPoints>();
}
void ucKarvex::ReleasePoints() {
    Points.reset();
}

std::string ucKarvex::PointDetail(const char* axis, const Variant& value, float min, float max,
                                  bool asDate) const {
    const std::string CR = "\r";
    auto text = [asDate](float v) {
        return asDate ? ctl::DateToText(double(v)) : Variant(v).toString();
    };
    return std::string(axis) + ": ''" + value.toString() + "''" + CR + "Min" + axis + ": ''" +
           text(min) + "''" + CR + "Max" + axis + ": ''" + text(max) + "''" + CR + CR;
}

bool ucKarvex::Point_Add(const Variant& X, const Variant& Y, const std::string& Key) {
    if (!UserMode()) return false;
    try {
        if (m_MapStyle == 1) {
            const float minX = MinX(), maxX = MaxX(), minY = MinY(), maxY = MaxY();
            const std::string detailX = PointDetail("X", X, minX, maxX, m_XAsDate);
            const std::string detailY = PointDetail("Y", Y, minY, maxY, m_YAsDate);
            // Dates compare by their day numbers; other values as numbers.
            const double x = m_XAsDate ? X.toDateSerial() : X.toDouble();
            if (x < minX) ctl::Raise(1024, detailX + "The X value is lesser than MinX assigned.");
            if (x > maxX) ctl::Raise(1025, detailX + "The X value is greater than MaxX assigned.");
            const double y = m_YAsDate ? Y.toDateSerial() : Y.toDouble();
            if (y < minY) ctl::Raise(1026, detailY + "The Y value is lesser than MinY assigned.");
            if (y > maxY) ctl::Raise(1027, detailY + "The Y value is greater than MaxY assigned.");
        }
        if (!Points) CreatePoints();
        Points->Add(X, Y, ctl::Trim(Key));
        return true;
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        throw;
    }
}

// The series exists at run time only: at design time every member that forwards to it fails
// as a call on a missing object does.
void ucKarvex::RequirePoints() const {
    if (!Points) ctl::Raise(91);
}

tyPointPtr ucKarvex::Point_Item(const Variant& Index) const {
    RequirePoints();
    return Points->Item(Index);
}

int32_t ucKarvex::Point_Index(const std::string& Key) const {
    RequirePoints();
    return Points->Index(Key);
}

int32_t ucKarvex::Point_Count() const {
    RequirePoints();
    return Points->Count();
}

void ucKarvex::Point_Clear() {
    RequirePoints();
    Points->Clear();
}

}  // namespace karvex
