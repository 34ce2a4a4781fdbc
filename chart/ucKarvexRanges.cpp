// The coordinate-system properties of the chart: ranges, date axes, units, margins, the plot
// frame and the mouse read-out.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/ucKarvex.h"
#include "chart/ucKarvexAccessible.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Prompts.h"

namespace karvex {

using ctl::Variant;

namespace {
float YearStart() {
    return float(ctl::DateSerial(ctl::Clock::CurrentYear(), 1, 1));
}
float YearEnd() {
    return float(ctl::DateSerial(ctl::Clock::CurrentYear(), 12, 31));
}

// Range limits are single-precision; a larger value is refused with a clear overflow.
float ToRangeValue(double d, const char* key) {
    if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max())
        ctl::Raise(ctl::errOverflow, std::string("Overflow: ") + key +
                                         " takes values from -3.402823E+38 to 3.402823E+38");
    return float(d);
}

std::string MouseText(double value, bool asDate) {
    double day = std::trunc(value);
    if (asDate && ctl::IsValidDateSerial(day)) return ctl::FormatDate(day, "dd/mm/yyyy");
    return ctl::FormatNumber(value, "0.##");
}
}  // namespace

int ucKarvex::SpanCurrentYear(float& min, float& max) {
    int replaced = 0;
    if (min == 0) {
        min = YearStart();
        replaced |= 1;
    }
    if (max == 100) {
        max = YearEnd();
        replaced |= 2;
    }
    return replaced;
}

// ---- ranges ----------------------------------------------------------------------------------

float ucKarvex::GetRange(float& member, bool asDate, bool isMax) {
    if (m_MapStyle == 1 && asDate) {
        if (!isMax && member == 0) member = YearStart();
        if (isMax && member == 100) member = YearEnd();
    }
    return member;
}

void ucKarvex::LetRange(float& member, bool& asDate, const Variant& value, const char* key,
                        const char* dateKey) {
    const Variant& v = value;
    // A number (or text that reads as one) is a number, fraction kept, and never a date even
    // where "1.5" could be read as a day and a month.
    double serial = 0;
    if (!v.isObject() && ctl::IsNumeric(v)) {
        member = ToRangeValue(v.toDouble(), key);
        asDate = false;
    } else if (v.isDate() || (v.isString() && ctl::ParseDate(v.toString(), serial))) {
        if (v.isDate()) serial = v.toDateSerial();
        member = ToRangeValue(serial, key);
        asDate = true;
    } else {
        return;  // neither number nor date: nothing changes
    }
    accessible_->RangesChanged();
    Notify(dateKey);
    Notify(key);
}

float ucKarvex::MinX() {
    return GetRange(m_MinX, m_XAsDate, false);
}
float ucKarvex::MaxX() {
    return GetRange(m_MaxX, m_XAsDate, true);
}
float ucKarvex::MinY() {
    return GetRange(m_MinY, m_YAsDate, false);
}
float ucKarvex::MaxY() {
    return GetRange(m_MaxY, m_YAsDate, true);
}
void ucKarvex::setMinX(const Variant& v) {
    LetRange(m_MinX, m_XAsDate, v, "MinX", "XAsDate");
}
void ucKarvex::setMaxX(const Variant& v) {
    LetRange(m_MaxX, m_XAsDate, v, "MaxX", "XAsDate");
}
void ucKarvex::setMinY(const Variant& v) {
    LetRange(m_MinY, m_YAsDate, v, "MinY", "YAsDate");
}
void ucKarvex::setMaxY(const Variant& v) {
    LetRange(m_MaxY, m_YAsDate, v, "MaxY", "YAsDate");
}

void ucKarvex::LetAsDate(bool on, bool& asDate, float& min, float& max, int32_t& unit,
                         const char* axis) {
    const std::string a = axis;
    const std::string dateKey = a + "AsDate", minKey = "Min" + a, maxKey = "Max" + a,
                      unitKey = "Unit" + a;
    asDate = on;
    if (on && m_MapStyle == 1) {
        int replaced = SpanCurrentYear(min, max);
        if (replaced & 1) Notify(minKey.c_str());
        if (replaced & 2) Notify(maxKey.c_str());
    } else if (on) {
        // Date axes exist only in coordinate-system mode: back to the plain numeric axis.
        asDate = false;
        min = 0;
        max = 100;
        unit = 10;
        Notify(minKey.c_str());
        Notify(maxKey.c_str());
        Notify(unitKey.c_str());
        const char* text = "Invalid setting if 'MapStyle' = 0";
        if (UserMode()) {
            Notify(dateKey.c_str());
            ctl::Raise(1030, text);
        }
        ctl::MsgBox(text, ctl::MsgIcon::Critical);
    }
    accessible_->RangesChanged();
    Notify(dateKey.c_str());
}

void ucKarvex::setXAsDate(bool on) {
    LetAsDate(on, m_XAsDate, m_MinX, m_MaxX, m_UnitX, "X");
}
void ucKarvex::setYAsDate(bool on) {
    LetAsDate(on, m_YAsDate, m_MinY, m_MaxY, m_UnitY, "Y");
}

// ---- units and margins -------------------------------------------------------------------

void ucKarvex::setUnitX(int32_t step) {
    m_UnitX = std::max(step, 1);
    Notify("UnitX");
}

void ucKarvex::setUnitY(int32_t step) {
    m_UnitY = std::max(step, 1);
    Notify("UnitY");
}

// A margin may take at most half of the surface.
float ucKarvex::ClampMargin(float twips, float extent) const {
    if (twips < 0) return 0;
    float half = float(int64_t(ctl::RoundHalfEven(extent)) / 2);
    return twips > half ? half : twips;
}

void ucKarvex::setLeftScale(float twips) {
    m_LeftScale = ClampMargin(twips, pic_main->ScaleWidth());
    Notify("LeftScale");
}

void ucKarvex::setRightScale(float twips) {
    m_RightScale = ClampMargin(twips, pic_main->ScaleWidth());
    Notify("RightScale");
}

void ucKarvex::setTopScale(float twips) {
    m_TopScale = ClampMargin(twips, pic_main->ScaleHeight());
    Notify("TopScale");
}

void ucKarvex::setBottomScale(float twips) {
    m_BottomScale = ClampMargin(twips, pic_main->ScaleHeight());
    Notify("BottomScale");
}

void ucKarvex::setMouseScan(bool on) {
    m_MouseScan = on;
    Notify("MouseScan");
}

// ---- plot frame and mouse read-out -------------------------------------------------------

FrameInputs ucKarvex::CurrentFrameInputs() const {
    FrameInputs in;
    in.MinX = m_MinX;
    in.MaxX = m_MaxX;
    in.MinY = m_MinY;
    in.MaxY = m_MaxY;
    in.LeftScale = m_LeftScale;
    in.TopScale = m_TopScale;
    in.RightScale = m_RightScale;
    in.BottomScale = m_BottomScale;
    in.SurfaceW = pic_main->ScaleWidth();
    in.SurfaceH = pic_main->ScaleHeight();
    in.PixelW = m_PixelW;
    in.PixelH = m_PixelH;
    return in;
}

void ucKarvex::ComputePlotFrame() {
    m_Frame = ComputeFrame(CurrentFrameInputs(), true);
}
void ucKarvex::ComputePlotFrameLenient() {
    m_Frame = ComputeFrame(CurrentFrameInputs(), false);
}

void ucKarvex::UpdateMouseValues(float x, float y) {
    m_MouseValueX = Variant(MouseText(SurfaceToDataX(m_Frame, x, m_LeftScale), m_XAsDate));
    m_MouseValueY = Variant(MouseText(SurfaceToDataY(m_Frame, y, m_BottomScale), m_YAsDate));
}

}  // namespace karvex
