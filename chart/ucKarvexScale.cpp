// SetScaleUnit: the frame of the coordinate system with its ticks or grid and value labels.
#include <cmath>
#include <exception>

#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

namespace karvex {

bool ucKarvex::SetScaleUnit() {
    // Every failure ends here: the surface shows again, the pen is restored, and the reason
    // stays in ControlError; nothing reaches the caller.
    auto fail = [this](const std::string& text) {
        pic_main->setVisible(true);
        RestorePen();
        m_ControlError = text;
        return false;
    };
    auto abort = [this] {
        pic_main->setVisible(true);
        return false;
    };
    try {
        if (m_MapStyle == 0) ctl::Raise(1032, "Invalid method if 'MapStyle' = 0");
        ComputePlotFrame();
        m_ControlError.clear();
        m_FlagExit = false;
        if (SettingsRedrawRequested()) {
            ctl::Args args{ctl::Variant(false)};
            RaiseEvent("ChangeScaleSetting", args);
        }
        if (m_EnableMenu) {
            menus_->RebuildForMode(false);
        }
        pic_main->Cls();
        pic_main->setVisible(false);  // hidden while drawing
        pic_main->setDrawWidth(1);
        pic_main->setForeColor(m_GridColor);
        pic_main->setFillColor(m_GridColor);
        const float tickLen = float(ctl::RoundHalfEven(m_PixelW * 6.0));
        const PlotFrame& f = m_Frame;

        pic_main->Line(f.PlotLeft, f.PlotBottom, f.PlotRight, f.PlotBottom);
        pic_main->Line(f.PlotLeft, f.PlotTop, f.PlotRight, f.PlotTop);
        AxisStep step;
        if (!ComputeAxisStep(true, step) || !DrawHorizontalTicks(step, tickLen)) return abort();

        pic_main->Line(f.PlotLeft, f.PlotTop, f.PlotLeft, f.PlotBottom);
        pic_main->Line(f.PlotRight, f.PlotTop, f.PlotRight, f.PlotBottom);
        if (!ComputeAxisStep(false, step) || !DrawVerticalTicks(step, tickLen)) return abort();

        RestorePen();
        if (SettingsRedrawRequested()) DrawAfterScaleSetting();
        pic_main->setVisible(true);
        return true;
    } catch (const ctl::RaisedError& e) {
        return fail(e.description());
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}

void ucKarvex::RestorePen() {
    pic_main->setForeColor(m_ForeColor);
    pic_main->setFillColor(m_ForeColor);
    pic_main->setDrawWidth(m_DrawWidth);
}

bool ucKarvex::ComputeAxisStep(bool horizontal, AxisStep& step) {
    const PlotFrame& f = m_Frame;
    int32_t& unit = horizontal ? m_UnitX : m_UnitY;
    bool& asDate = horizontal ? m_XAsDate : m_YAsDate;
    const float factor = horizontal ? f.ScaleFactorX : f.ScaleFactorY;
    const float pixel = float(horizontal ? m_PixelW : m_PixelH);
    if (unit != 0) {
        step.data = float(unit);
        step.draw = float(double(unit) * factor);
        if (step.draw < pixel) {
            step.draw = pixel;
            step.data = pixel / factor;
        }
    } else {
        // Automatic unit: a quarter of a year on date axes, a tenth of the range otherwise.
        step.data = asDate ? 90.0f : (horizontal ? f.RangeX : f.RangeY) / 10;
        step.draw = float(double(step.data) * factor);
        unit = ctl::Variant(double(step.data)).toInt32();
    }
    if (asDate) {
        const float min = horizontal ? m_MinX : m_MinY, max = horizontal ? m_MaxX : m_MaxY;
        if (!ctl::IsValidDateSerial(std::trunc(min)) || !ctl::IsValidDateSerial(std::trunc(max)))
            asDate = false;
    }
    if (!asDate) return true;
    if (step.draw < pixel) return false;
    // Cut the plot into whole date steps of equal width.
    const double span =
        horizontal ? double(f.PlotRight) - f.PlotLeft : double(f.PlotBottom) - f.PlotTop;
    const double n = ctl::RoundHalfEven(step.draw);
    if (n >= 1 && std::fmod(ctl::RoundHalfEven(span), n) > 0) {
        const double k = std::trunc(span / n);
        if (k > 0) {
            step.draw = float(span / k);
            step.data = step.draw / factor;
        }
    }
    return true;
}

std::string ucKarvex::TickLabel(float v, bool& asDate) {
    if (asDate) {
        const double day = std::trunc(v);
        if (ctl::IsValidDateSerial(day)) return ctl::FormatDate(day, Library().ShortDatePattern);
        asDate = false;
    }
    return ctl::FormatNumber(v, v > 0 && v < 1 ? "0.##" : "#,##0");
}

// The tick whose label reads 0 carries the axis line. Labels are read with the user's decimal
// separator, so "0,5" is a half and not zero; date labels never mark an axis.
bool ucKarvex::LabelReadsZero(const std::string& label, bool asDate) const {
    if (asDate) return false;
    const std::string& sep = ctl::Locale::Current().decimalSeparator;
    std::string text;
    for (size_t i = 0; i < label.size();) {
        if (!sep.empty() && label.compare(i, sep.size(), sep) == 0) {
            text += '.';
            i += sep.size();
        } else {
            text += label[i++];
        }
    }
    return ctl::Val(text) == 0;
}

void ucKarvex::PrintAt(float x, float y, const std::string& text) {
    pic_main->setCurrentX(x);
    pic_main->setCurrentY(y);
    pic_main->Print(text);
}

ucKarvex::TickStep ucKarvex::NextTick(float& v, float step, double& ticks, double maxTicks,
                                      float min, float max) {
    const float next = v + step;
    ctl::YieldSlice();
    if (m_FlagExit) return TickStep::Abort;
    if (next == v) return TickStep::Done;  // the step is below the value's precision
    // A step that goes nowhere or backwards (a plot narrower than its margins), or more ticks
    // than the plot has pixels, ends the loop: no stored value may keep it running.
    if (!(step > 0) || ++ticks > maxTicks) return TickStep::Done;
    v = next;
    return std::trunc(v) >= min && std::trunc(v) <= max ? TickStep::Next : TickStep::Done;
}

bool ucKarvex::DrawHorizontalTicks(const AxisStep& step, float tickLen) {
    const PlotFrame& f = m_Frame;
    const float pw = float(m_PixelW), ph = float(m_PixelH);
    float lastEnd = 0;
    const double maxTicks = std::fabs(double(f.PlotRight) - f.PlotLeft) / pw + 2;
    double ticks = 0;
    float v =
        float((double(f.OriginX) * f.ScaleFactorX + f.PlotLeft - m_LeftScale) / f.ScaleFactorX);
    while (std::trunc(v) <= m_MaxX) {
        const float sx = float(DataToSurfaceX(f, v, m_LeftScale));
        const std::string label = TickLabel(v, m_XAsDate);
        if (m_ViewGrid) {
            pic_main->Line(sx, f.PlotBottom, sx, f.PlotTop);
        } else {
            pic_main->Line(sx, f.PlotBottom, sx, f.PlotBottom - tickLen);
            pic_main->Line(sx, f.PlotTop, sx, f.PlotTop + tickLen);
            if (LabelReadsZero(label, m_XAsDate)) pic_main->Line(sx, f.PlotTop, sx, f.PlotBottom);
        }
        const float w = pic_main->TextWidth(label), h = pic_main->TextHeight(label);
        // Below the plot, centred on the tick and kept inside the surface.
        float cx = sx - w / 2 < 0 ? pw : (sx + w > f.SurfaceW ? f.SurfaceW - w : sx - w / 2);
        float cy = f.SurfaceH - m_BottomScale + 4 * ph;
        if (cy >= f.SurfaceH) cy = f.SurfaceH - h;
        if (cx > lastEnd) PrintAt(cx, cy, label);
        // Above the plot; only labels right of the last one printed here appear.
        cx = sx - w / 2 < 0 ? pw : (sx + w > f.SurfaceW ? f.SurfaceW - w - 2 * pw : sx - w / 2);
        cy = m_TopScale - h - 4 * ph;
        if (!(cy > 0)) cy = 0;
        if (cx > lastEnd) {
            PrintAt(cx, cy, label);
            lastEnd = pic_main->CurrentX();
        }

        const TickStep next = NextTick(v, step.data, ticks, maxTicks, m_MinX, m_MaxX);
        if (next == TickStep::Abort) return false;
        if (next == TickStep::Done) break;
    }
    return true;
}

bool ucKarvex::DrawVerticalTicks(const AxisStep& step, float tickLen) {
    const PlotFrame& f = m_Frame;
    const float pw = float(m_PixelW);
    const float h9 = pic_main->TextHeight("9");
    float lastTop = 0;
    const double maxTicks = std::fabs(double(f.PlotBottom) - f.PlotTop) / float(m_PixelH) + 2;
    double ticks = 0;
    float v =
        float((double(f.OriginY) * f.ScaleFactorY + (f.SurfaceH - f.PlotBottom) - m_BottomScale) /
              f.ScaleFactorY);
    while (std::trunc(v) <= m_MaxY) {
        const float sy = float(DataToSurfaceY(f, v, m_BottomScale));
        const std::string label = TickLabel(v, m_YAsDate);
        const float w = pic_main->TextWidth(label), h = pic_main->TextHeight(label);
        float cy = sy - h / 2 < 0 ? 0 : (sy + h > f.SurfaceH ? f.SurfaceH - h : sy - h / 2);
        // Only labels that end above the last one printed on the right appear.
        const bool printed = cy + h9 < lastTop || lastTop == 0;
        if (printed) {
            float cx = m_LeftScale - w - pw > 0 ? m_LeftScale - w - 2 * pw : pw;
            PrintAt(cx, cy, label);
            const float right = f.SurfaceW - m_RightScale;
            cx = (right + 2 * pw >= f.SurfaceW || right + w > f.SurfaceW) ? f.SurfaceW - w - 2 * pw
                                                                          : right + 2 * pw;
            PrintAt(cx, cy, label);
            lastTop = pic_main->CurrentY();
            if (m_ViewGrid) {
                pic_main->Line(f.PlotLeft, sy, f.PlotRight, sy);
            } else {
                pic_main->Line(f.PlotLeft, sy, f.PlotLeft + tickLen, sy);
                pic_main->Line(f.PlotRight, sy, f.PlotRight - tickLen, sy);
                if (LabelReadsZero(label, m_YAsDate))
                    pic_main->Line(f.PlotLeft, sy, f.PlotRight, sy);
            }
        }

        const TickStep next = NextTick(v, step.data, ticks, maxTicks, m_MinY, m_MaxY);
        if (next == TickStep::Abort) return false;
        if (next == TickStep::Done) break;
    }
    return true;
}

}  // namespace karvex
