// SetScaleUnit: the frame of the coordinate system with its ticks or grid and value labels.
#include <cmath>
#include <exception>

#include "chart/KarvexState.h"
#include "chart/plot/TickPlan.h"
#include "chart/ucKarvex.h"
#include "chart/ucKarvexAccessible.h"
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
        accessible_->TextsChanged();
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
        step.data = double(unit);
        step.draw = double(unit) * factor;
        if (step.draw < pixel) {
            step.draw = pixel;
            step.data = pixel / factor;
        }
    } else {
        // Automatic unit: a quarter of a year on date axes, a tenth of the range otherwise.
        step.data = asDate ? 90.0 : double(horizontal ? f.RangeX : f.RangeY) / 10;
        step.draw = step.data * factor;
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
            step.draw = span / k;
            step.data = step.draw / factor;
        }
    }
    return true;
}

TickPlan ucKarvex::PlanAxis(bool horizontal, const AxisStep& step) const {
    TickPlanInputs in;
    in.horizontal = horizontal;
    in.frame = m_Frame;
    in.leftScale = m_LeftScale;
    in.topScale = m_TopScale;
    in.rightScale = m_RightScale;
    in.bottomScale = m_BottomScale;
    in.pixelW = m_PixelW;
    in.pixelH = m_PixelH;
    in.min = horizontal ? m_MinX : m_MinY;
    in.max = horizontal ? m_MaxX : m_MaxY;
    in.step = step.data;
    in.asDate = horizontal ? m_XAsDate : m_YAsDate;
    in.datePattern = Library().ShortDatePattern;
    const ctl::PictureBox* surface = pic_main.get();
    in.textWidth = [surface](const std::string& t) { return surface->TextWidth(t); };
    in.textHeight = [surface](const std::string& t) { return surface->TextHeight(t); };
    return PlanTicks(in);
}

void ucKarvex::PrintAt(const TickLabelPlace& place, const std::string& text) {
    if (!place.printed) return;
    pic_main->setCurrentX(place.x);
    pic_main->setCurrentY(place.y);
    pic_main->Print(text);
}

bool ucKarvex::TickDone() {
    ctl::YieldSlice();
    return !m_FlagExit;
}

bool ucKarvex::DrawHorizontalTicks(const AxisStep& step, float tickLen) {
    const TickPlan plan = PlanAxis(true, step);
    m_XAsDate = plan.asDate;
    const PlotFrame& f = m_Frame;
    for (const Tick& t : plan.ticks) {
        if (m_ViewGrid) {
            pic_main->Line(t.pos, f.PlotBottom, t.pos, f.PlotTop);
        } else {
            pic_main->Line(t.pos, f.PlotBottom, t.pos, f.PlotBottom - tickLen);
            pic_main->Line(t.pos, f.PlotTop, t.pos, f.PlotTop + tickLen);
            if (t.zero) pic_main->Line(t.pos, f.PlotTop, t.pos, f.PlotBottom);  // the Y axis
        }
        PrintAt(t.first, t.label);
        PrintAt(t.second, t.label);
        if (!TickDone()) return false;
    }
    return true;
}

bool ucKarvex::DrawVerticalTicks(const AxisStep& step, float tickLen) {
    const TickPlan plan = PlanAxis(false, step);
    m_YAsDate = plan.asDate;
    const PlotFrame& f = m_Frame;
    for (const Tick& t : plan.ticks) {
        PrintAt(t.first, t.label);
        PrintAt(t.second, t.label);
        // A tick whose labels are skipped gets no mark either.
        if (t.first.printed) {
            if (m_ViewGrid) {
                pic_main->Line(f.PlotLeft, t.pos, f.PlotRight, t.pos);
            } else {
                pic_main->Line(f.PlotLeft, t.pos, f.PlotLeft + tickLen, t.pos);
                pic_main->Line(f.PlotRight, t.pos, f.PlotRight - tickLen, t.pos);
                if (t.zero) pic_main->Line(f.PlotLeft, t.pos, f.PlotRight, t.pos);  // the X axis
            }
        }
        if (!TickDone()) return false;
    }
    return true;
}

}  // namespace karvex
