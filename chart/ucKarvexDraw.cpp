// Rendering of the chart: the animated drawing of a point series or a stored track, the title,
// free lines and text.
#include <cmath>

#include "chart/KarvexState.h"
#include "chart/plot/clsInterpol.h"
#include "chart/ucKarvex.h"
#include "chart/ucKarvexAccessible.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"
#include "platform/sys/UserWait.h"

namespace karvex {

using ctl::Variant;

namespace {
constexpr uint32_t kMarkColor = 0x0000FF;  // red boxes around the points
}  // namespace

namespace {
constexpr int kMaxNestedDraws = 8;

// Counts a Draw for as long as it runs, however it ends.
struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};
}  // namespace

bool ucKarvex::RefuseNestedDrawing() {
    // Host code runs between the steps of a drawing (timers, events). Starting another drawing
    // from there would paint two series over each other and lose a stop request; and a handler
    // that always draws again would nest without end.
    if (m_Walking) {
        m_ControlError = "A drawing is in progress: wait for FinishDrawing or set FlagExit.";
        return true;
    }
    if (m_DrawDepth >= kMaxNestedDraws) {
        m_ControlError =
            "Drawing calls are nested too deeply (a drawing event starts another drawing).";
        return true;
    }
    return false;
}

bool ucKarvex::Draw() {
    if (!ctl::UserControl::Enabled()) return false;
    if (RefuseNestedDrawing()) return false;
    DepthGuard depth(m_DrawDepth);
    ctl::Args cancel{Variant(false)};
    RaiseEvent("StartDrawing", cancel);
    ctl::DoEvents();
    if (cancel[0].toBool()) return false;
    m_FlagExit = false;

    int32_t count = 0;
    bool ok = m_MapStyle == 0 ? PointsToArraysMap(count) : PointsToArraysScale(count);
    Library().LastDrawingSucceeded = ok;
    if (ok) {
        m_PlaybackBranches = 1;
        return DrawTrackArrays();
    }
    // An earlier failure may still be in ControlError: the design reports it here as well.
    if (!m_ControlError.empty()) ctl::Raise(1023, m_ControlError);
    if (count > 1) {
        ctl::MsgBox("Invalid coordinate values", ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                    Library().LibraryTitle);
        return false;
    }
    ctl::Raise(1033, "Need more points to execute the Track drawing.");
}

bool ucKarvex::PointsToArraysMap(int32_t& count) {
    try {
        count = Points ? Points->Count() : 0;
        if (count < 1) return false;
        m_TrackX.assign(size_t(count), 0.0);
        m_TrackY.assign(size_t(count), 0.0);
        // Host code may run at each yield and change the series: it is read by position,
        // and a series that shrank ends the reading.
        for (size_t i = 0; i < size_t(count); ++i) {
            if (!Points || i >= size_t(Points->Count())) {
                count = int32_t(i);
                m_TrackX.resize(i);
                m_TrackY.resize(i);
                return count >= 1;
            }
            const tyPointPtr& p = Points->at(i);
            m_TrackX[i] = p->X.toDouble();
            m_TrackY[i] = p->Y.toDouble();
            ctl::YieldSlice();
            // Stopping is not a failure: the drawing that follows ends at once, with what was
            // read.
            if (m_FlagExit) {
                m_TrackX.resize(i + 1);
                m_TrackY.resize(i + 1);
                return true;
            }
        }
        return true;
    } catch (const ctl::RaisedError& e) {
        m_PlaybackRunning = m_PlaybackPaused = false;
        m_ControlError = e.description();
        return false;
    }
}

bool ucKarvex::PointsToArraysScale(int32_t& count) {
    try {
        count = Points ? Points->Count() : 0;
        if (count < 2) return false;
        ComputePlotFrame();
        m_TrackX.assign(size_t(count), 0.0);
        m_TrackY.assign(size_t(count), 0.0);
        const PlotFrame f = m_Frame;
        for (size_t i = 0; i < size_t(count); ++i) {
            if (!Points || i >= size_t(Points->Count())) {  // changed by host code meanwhile
                count = int32_t(i);
                m_TrackX.resize(i);
                m_TrackY.resize(i);
                return count >= 2;
            }
            const tyPointPtr& p = Points->at(i);
            double x, y;
            if (ctl::IsDateNotNumber(p->X)) {
                x = p->X.toDateSerial();
                m_XAsDate = true;
            } else {
                x = p->X.toDouble();
            }
            if (ctl::IsDateNotNumber(p->Y)) {
                y = p->Y.toDateSerial();
                m_YAsDate = true;
            } else {
                y = p->Y.toDouble();
            }
            m_TrackX[i] = (x - f.OriginX) * f.ScaleFactorX + m_LeftScale;
            m_TrackY[i] = f.SurfaceH - ((y - f.OriginY) * f.ScaleFactorY + m_BottomScale);
            ctl::YieldSlice();
        }
        return true;
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        return false;
    }
}

bool ucKarvex::WaitWhilePaused() {
    while (m_PlaybackPaused) {
        ctl::RestEvents(5);
        if (m_FlagExit) return false;
        if (ctl::GiveUpUserWait("The drawing is paused")) {
            // Nobody is left to resume it: it stops, as the user's stop would.
            m_FlagExit = true;
            m_ControlError = "The drawing was paused and nobody could resume it: stopped";
            return false;
        }
    }
    return true;
}

void ucKarvex::WaitDelay() {
    // A monotonic clock: the wait is right across midnight and clock changes.
    const int64_t end = ctl::Clock::MonotonicMs() + int64_t(std::ceil(m_Delay));
    do {
        ctl::RestEvents(int(std::min<int64_t>(end - ctl::Clock::MonotonicMs(), 4)));
    } while (ctl::Clock::MonotonicMs() < end && !m_FlagExit);
}

uint32_t ucKarvex::SegmentColor() const {
    // Map mode has no plotted colour of its own: a replayed track shows in the track colour.
    return m_MapStyle == 0 ? m_TrackColor : m_ForeColor;
}

void ucKarvex::ApplySegmentPen() {
    pic_main->setDrawWidth(m_DrawWidth);
    if (m_MapStyle != 0) {
        pic_main->setForeColor(m_ForeColor);
        pic_main->setFillColor(m_ForeColor);
    }
}

void ucKarvex::DrawSegment(double x1, double y1, double x2, double y2) {
    pic_main->Line(float(x1), float(y1), float(x2), float(y2), SegmentColor());
}

void ucKarvex::MarkPoint(double x, double y) {
    pic_main->setDrawWidth(1);
    pic_main->Line(float(x - m_PixelW), float(y - m_PixelH), float(x + m_PixelW),
                   float(y + m_PixelH), kMarkColor, true);
}

bool ucKarvex::StepSegment(double x1, double y1, double x2, double y2, float slope,
                           float intercept) {
    const double spanX = std::fabs(x2 - x1), spanY = std::fabs(y2 - y1);
    if (!std::isfinite(spanX) || !std::isfinite(spanY)) return true;  // nothing drawable
    // A step of 0 would never arrive: such a segment is drawn in one step.
    const double base = m_BaseStep > 0 ? m_BaseStep : std::max(spanX, spanY) + 1;
    const double stepX = x1 <= x2 ? base : -base;
    const double stepY = y2 >= y1 ? base : -base;
    // Each step advances one coordinate by the step length, so this bounds the walk even when
    // rounding keeps a coordinate a hair short of its end.
    const double maxSteps = std::ceil((spanX + spanY) / base) + 2;
    double cx = x1, cy = y1;
    for (double steps = 0; steps <= maxSteps; ++steps) {
        if (std::fabs(cx - x1) >= spanX && std::fabs(cy - y1) >= spanY) break;
        if (m_FlagExit) return false;
        WaitDelay();
        if (!WaitWhilePaused()) return false;
        double nx, ny;
        if (std::fabs(cx - x1) >= spanX) {
            ny = cy + stepY;
            nx = slope != 0 ? (ny - intercept) / slope : cx;
        } else {
            nx = cx + stepX;
            ny = intercept + nx * slope;
        }
        if (std::fabs(nx - x1) > spanX) nx = x2;
        if (std::fabs(ny - y1) > spanY) ny = y2;
        DrawSegment(cx, cy, nx, ny);
        cx = nx;
        cy = ny;
    }
    return true;
}

ucKarvex::WalkCopy::WalkCopy(ucKarvex& c) : chart(c), reused(!c.m_WalkBuffersBusy) {
    // The copy goes into the buffers of the last walk, so a long series needs no fresh memory
    // on every drawing; a walk started while another runs takes buffers of its own.
    if (reused) {
        x.swap(c.m_WalkX);
        y.swap(c.m_WalkY);
        c.m_WalkBuffersBusy = true;
    }
    x.assign(c.m_TrackX.begin(), c.m_TrackX.end());
    y.assign(c.m_TrackY.begin(), c.m_TrackY.end());
}

ucKarvex::WalkCopy::~WalkCopy() {
    if (!reused) return;
    chart.m_WalkX.swap(x);
    chart.m_WalkY.swap(y);
    chart.m_WalkBuffersBusy = false;
}

bool ucKarvex::DrawTrackArrays() {
    bool result = false;
    try {
        // The walk keeps its own copy: host code running between steps may start another
        // drawing, which refills the arrays.
        WalkCopy walk(*this);
        const std::vector<double>& trackX = walk.x;
        const std::vector<double>& trackY = walk.y;
        const size_t n = std::min(trackX.size(), trackY.size());
        if (m_MapStyle == 0 && !m_TrackName.empty() &&
            ctl::EqualsNoCase(m_TrackName, m_PrevTrackName)) {
            // A track drawn again replaces its earlier picture.
            if (m_PlaybackBranches == 1 || (m_PlaybackBranches > 1 && m_PlaybackBranch == 1))
                pic_main->Cls();
        }
        m_ControlError.clear();
        m_PlaybackRunning = true;
        m_Walking = true;
        if (m_MapStyle == 0) menus_->RefreshMapMenu();

        clsInterpol fit;
        fit.setOwner([this] { return m_FlagExit; });
        bool completed = true;
        for (size_t i = 0; i + 1 < n; ++i) {
            const double x1 = trackX[i], y1 = trackY[i];
            const double x2 = trackX[i + 1], y2 = trackY[i + 1];
            if (!pic_main->WindowAlive()) m_FlagExit = true;  // the host window is gone
            if (!WaitWhilePaused() || m_FlagExit) {
                completed = false;
                break;
            }
            if (const size_t drawn = DrawSegmentRun(trackX, trackY, i)) {
                i += drawn - 1;
                ctl::YieldSlice();
                continue;
            }
            // Each segment is fitted; the line's numbers are only needed to walk it in steps,
            // so an undelayed drawing fits only the segments whose fit could fail.
            const bool stepped = m_Delay != 0;
            if ((stepped || !clsInterpol::SegmentFitCannotFail(x1, y1, x2, y2)) &&
                !fit.FitSegment(x1, y1, x2, y2)) {
                m_ControlError = fit.ControlError();
                completed = false;
                break;
            }
            const float slope = float(fit.CoefficienteAngolare());
            const float intercept = float(fit.TermineNoto());
            ApplySegmentPen();
            if (m_Delay != 0) {
                if (!StepSegment(x1, y1, x2, y2, slope, intercept)) {
                    completed = false;
                    break;
                }
            } else {
                DrawSegment(x1, y1, x2, y2);
            }
            if (m_ViewPoints) MarkPoint(x1, y1);
            ctl::YieldSlice();
        }
        m_Walking = false;
        if (completed) {
            if (m_ViewPoints && n > 0) MarkPoint(trackX[n - 1], trackY[n - 1]);
            if (!m_Title.empty()) PrintTitle();
            result = true;
            ctl::DoEvents();
            accessible_->DrawingFinished();
            RaiseEvent("FinishDrawing");
        }
        m_PlaybackRunning = m_PlaybackPaused = false;
        if (m_MapStyle == 0) menus_->RefreshMapMenu();
        // Stopping on request is a normal end of a drawing.
        if (m_FlagExit) result = true;
        RestorePen();
    } catch (const ctl::RaisedError& e) {
        m_Walking = false;
        m_PlaybackRunning = m_PlaybackPaused = false;
        m_ControlError = e.description();
        result = false;
        RestorePen();
    }
    return result;
}

bool ucKarvex::DrawTrack(const std::string& DrawName) {
    if (!ctl::UserControl::Enabled()) return false;
    m_PrevTrackName = m_TrackName;
    m_TrackName = ctl::Trim(DrawName);
    return PlayTrack(false);
}

void ucKarvex::Clear() {
    pic_main->Cls();
    if (m_MapStyle != 0) SetScaleUnit();
    accessible_->TextsChanged();
}

void ucKarvex::DrawLine(float X1, float Y1, float X2, float Y2) {
    if (!ctl::UserControl::Enabled() || m_FlagExit) return;
    pic_main->Line(X1, Y1, X2, Y2, m_ForeColor);
}

void ucKarvex::PrintText(const std::string& Text) {
    if (!ctl::UserControl::Enabled() || m_FlagExit) return;
    pic_main->setForeColor(m_TextColor);
    pic_main->Print(Text);
    pic_main->setForeColor(m_ForeColor);
    accessible_->TextsChanged();
}

}  // namespace karvex
