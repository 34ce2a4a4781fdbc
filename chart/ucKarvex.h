#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartMenus.h"
#include "chart/clsPoints.h"
#include "chart/map/TrackRecorder.h"
#include "chart/plot/PlotFrame.h"
#include "chart/plot/TickPlan.h"
#include "platform/com/UserControl.h"
#include "platform/controls/PictureBox.h"
#include "platform/forms/KeyboardFocusFrame.h"

namespace karvex {

class TrackStore;
class ucKarvexAccessible;

// The chart control: a drawing surface that shows either freehand tracks over a picture (map
// mode, MapStyle 0) or a Cartesian coordinate system with plotted points (MapStyle 1).
class ucKarvex : public ctl::UserControl {
  public:
    explicit ucKarvex(ctl::ControlSite& site);
    ~ucKarvex() override;

    const ctl::ClassInfo* typeInfo() const override;
    std::string typeName() const override { return "ucKarvex"; }
    ctl::Widget* InputSurface() override { return pic_main.get(); }
    ctl::PictureBox* DrawingSurface() override { return pic_main.get(); }

    // Lifecycle.
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(ctl::PropertyBag& bag) override;
    void WriteProperties(ctl::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Terminate() override;

    // Surface and persistence properties.
    bool AutoRedraw() const { return m_AutoRedraw; }
    void setAutoRedraw(bool on);
    bool AutoSize() const { return m_AutoSize; }
    void setAutoSize(bool on);
    float BaseStep() const { return m_BaseStep; }
    void setBaseStep(float v);
    int32_t BorderStyle() const { return pic_main->BorderStyle(); }
    void setBorderStyle(int32_t style);
    float Delay() const { return m_Delay; }
    void setDelay(float ms);
    int16_t DrawWidth() const { return m_DrawWidth; }
    void setDrawWidth(int16_t w);
    bool FlagExit() const { return m_FlagExit; }
    void setFlagExit(bool on);
    const std::string& ControlError() const { return m_ControlError; }
    ctl::PicturePtr Picture() const { return m_Picture; }
    void setPicture(ctl::PicturePtr p);
    // The size is the container's (hosts and AutoSize resize it directly); the stored value
    // stands while the container still shows it, as twips snap to whole pixels.
    int32_t Width() const;
    void setWidth(int32_t twips) override;
    int32_t Height() const;
    void setHeight(int32_t twips) override;
    uint32_t BackColor() const { return m_BackColor; }
    void setBackColor(uint32_t c) override;
    bool Enabled() const { return ctl::UserControl::Enabled(); }
    void setEnabled(bool on);
    uint32_t ForeColor() const { return m_ForeColor; }
    void setForeColor(uint32_t c) override;
    int32_t hDC() const { return pic_main->hDC(); }
    int32_t hWnd() const { return pic_main->hWnd(); }
    float CurrentX() const { return m_CurrentX; }
    void setCurrentX(float x);
    float CurrentY() const { return m_CurrentY; }
    void setCurrentY(float y);
    ctl::FontPtr Font() const { return pic_main->Font(); }
    void setFont(ctl::FontPtr f) override;
    float TextHeight(const std::string& strLine) const { return pic_main->TextHeight(strLine); }
    float TextWidth(const std::string& strLine) const { return pic_main->TextWidth(strLine); }
    const std::string& Title() const { return m_Title; }
    void setTitle(const std::string& text);
    const std::string& TrackName() const { return m_TrackName; }
    bool EnableMenu() const { return m_EnableMenu; }
    void setEnableMenu(bool on);
    bool ViewPoints() const { return m_ViewPoints; }
    void setViewPoints(bool on);
    bool ViewGrid() const { return m_ViewGrid; }
    void setViewGrid(bool on);
    int32_t MapStyle() const { return m_MapStyle; }
    void setMapStyle(int32_t style);
    bool ClipControls() const { return pic_main->ClipControls(); }
    void setClipControls(bool on);
    uint32_t GridColor() const { return m_GridColor; }
    void setGridColor(uint32_t c);
    uint32_t TitleColor() const { return m_TitleColor; }
    void setTitleColor(uint32_t c);
    uint32_t TextColor() const { return m_TextColor; }
    void setTextColor(uint32_t c);
    uint32_t TrackColor() const { return m_TrackColor; }
    void setTrackColor(uint32_t c);
    void About();
    // A value a setter refuses: error 380 with this text at run time, the same text in a
    // critical message box at design time (the setter then changes nothing).
    void RejectSetting(const std::string& text) const;

    // Coordinate system: ranges (numbers, dates or text that reads as either), units, margins.
    float MinX();
    void setMinX(const ctl::Variant& v);
    float MaxX();
    void setMaxX(const ctl::Variant& v);
    float MinY();
    void setMinY(const ctl::Variant& v);
    float MaxY();
    void setMaxY(const ctl::Variant& v);
    bool XAsDate() const { return m_XAsDate; }
    void setXAsDate(bool on);
    bool YAsDate() const { return m_YAsDate; }
    void setYAsDate(bool on);
    int32_t UnitX() const { return m_UnitX; }
    void setUnitX(int32_t step);
    int32_t UnitY() const { return m_UnitY; }
    void setUnitY(int32_t step);
    float LeftScale() const { return m_LeftScale; }
    void setLeftScale(float twips);
    float TopScale() const { return m_TopScale; }
    void setTopScale(float twips);
    float RightScale() const { return m_RightScale; }
    void setRightScale(float twips);
    float BottomScale() const { return m_BottomScale; }
    void setBottomScale(float twips);
    bool MouseScan() const { return m_MouseScan; }
    void setMouseScan(bool on);
    const ctl::Variant& MouseValueX() const { return m_MouseValueX; }
    const ctl::Variant& MouseValueY() const { return m_MouseValueY; }

    // Drawing. Draw plots the point series as an animated polyline (False on failure; raises 1023
    // or 1033 as well); DrawTrack replays a stored track; Clear removes run-time graphics.
    bool Draw();
    bool DrawTrack(const std::string& DrawName);
    void Clear();
    void DrawLine(float X1, float Y1, float X2, float Y2);
    void PrintText(const std::string& Text);

    // The point series (run time only).
    bool Point_Add(const ctl::Variant& X, const ctl::Variant& Y, const std::string& Key = "");
    tyPointPtr Point_Item(const ctl::Variant& Index) const;
    int32_t Point_Index(const std::string& Key) const;
    int32_t Point_Count() const;
    void Point_Clear();

    // Computes the plot frame and draws the frame, ticks or grid and labels. False on failure,
    // with the reason in ControlError; never raises.
    bool SetScaleUnit();
    // Opens the coordinate-system settings dialog, modal (Modal not 0) or modeless (the call
    // returns when the dialog closes); Title goes before the dialog's caption. Raises 1032 in
    // map mode. ChangeScaleSetting tells the host unless the user cancelled.
    void EditScaleSetting(int16_t Modal = 1, const std::string& Title = "");
    // Converts a pointer position on the surface (twips) to data values and stores them as text
    // in MouseValueX / MouseValueY (dates as dd/mm/yyyy). The surface's mouse handlers call it
    // in coordinate-system mode.
    void UpdateMouseValues(float x, float y);

    // Run-time facts, visible for the host's tools and tests.
    const PlotFrame& Frame() const { return m_Frame; }
    const std::string& AppFolder() const { return m_AppFolder; }
    int PixelW() const { return m_PixelW; }
    int PixelH() const { return m_PixelH; }
    const std::vector<double>& TrackX() const { return m_TrackX; }
    const std::vector<double>& TrackY() const { return m_TrackY; }
    bool PlaybackRunning() const { return m_PlaybackRunning; }
    // Pause and resume of a drawing in progress (the playback menu commands use them).
    void setPlaybackPaused(bool on) { m_PlaybackPaused = on && m_PlaybackRunning; }
    bool PlaybackPaused() const { return m_PlaybackPaused; }
    // The track store (map mode, run time); DbUnusable when the last open failed.
    TrackStore& Store() { return *m_Store; }
    bool DbUnusable() const { return m_DbUnusable; }
    bool NewTrackOpen() const;
    // The drawing of a new track with the mouse (map mode, run time).
    const TrackRecorder& Recorder() const { return *m_Recorder; }

    // Store procedures, as the menu commands and the drawing use them. Failures leave their
    // description in ControlError (CountBranches then gives 0, the others false or "").
    void OpenTrackStore();
    int32_t CountTracks();
    int16_t CountBranches();  // of TrackName
    bool LoadBranch(int16_t branch);
    bool DeleteTrack();  // TrackName
    // Lets the user pick a stored track in the chooser; "" when none is picked.
    std::string ChooseTrack(const std::string& title);
    // Runs one of the control's procedures for scripts and tools (see ucKarvexTools.cpp).
    bool RunTool(const std::string& name, const ctl::Args& args, ctl::Args& results) override;

    // The right-button menus and their system-menu mirror.
    ChartMenus& Menus() { return *menus_; }
    bool AlwaysOnTop() const { return menus_->AlwaysOnTop(); }
    int32_t ParentWindow() const { return menus_->ParentWindow(); }

    std::unique_ptr<ctl::PictureBox> pic_main;  // the drawing surface
    std::unique_ptr<ctl::PictureBox> pic_icon;  // hidden holder of the about-box icon

  private:
    friend class ChartMenus;
    // The surface's inset inside the container, in twips.
    static constexpr int kInset = 0;

    void ComputePlotFrame();         // raises 1028 / 1029
    void ComputePlotFrameLenient();  // never fails on ranges
    FrameInputs CurrentFrameInputs() const;
    void PushSizeToContainer();
    // Gives the surface the container's size (or, with AutoSize and a picture, the container
    // the surface's); the Resize rule without its FlagExit suppression.
    void FitSurface();
    void PrintTitle();
    // Loading, saving and ending treat each step as its own: a failing step is skipped.
    static void Step(const std::function<void()>& fn);

    // Range properties share one rule set; `asDate` is XAsDate or YAsDate.
    void LetRange(float& member, bool& asDate, const ctl::Variant& v, const char* key,
                  const char* dateKey);
    float GetRange(float& member, bool asDate, bool isMax);
    // A date axis left at the plain limits 0 and 100 spans the current year; true for each
    // limit replaced (bit 1 the minimum, bit 2 the maximum).
    static int SpanCurrentYear(float& min, float& max);
    void LetAsDate(bool on, bool& asDate, float& min, float& max, int32_t& unit, const char* axis);
    float ClampMargin(float twips, float extent) const;
    void Notify(const char* key) { PropertyChanged(key); }

    // SetScaleUnit pieces.
    struct AxisStep {
        double data = 0, draw = 0;  // data units and twips from one tick to the next
    };
    // Returns false when a date axis step falls below one pixel (the drawing is abandoned).
    bool ComputeAxisStep(bool horizontal, AxisStep& step);
    TickPlan PlanAxis(bool horizontal, const AxisStep& step) const;
    // Paint an axis's plan; false when FlagExit ended it (events run after every tick).
    bool DrawHorizontalTicks(const AxisStep& step, float tickLen);
    bool DrawVerticalTicks(const AxisStep& step, float tickLen);
    bool TickDone();
    void PrintAt(const TickLabelPlace& place, const std::string& text);
    void RestorePen();

    // Rendering pieces.
    bool PointsToArraysMap(int32_t& count);
    bool PointsToArraysScale(int32_t& count);
    bool DrawTrackArrays();
    // Walks one segment step by step (Delay > 0); false when FlagExit ended it.
    bool StepSegment(double x1, double y1, double x2, double y2, float slope, float intercept);
    void DrawSegment(double x1, double y1, double x2, double y2);
    void ApplySegmentPen();
    uint32_t SegmentColor() const;
    // Draws the run of segments from point `first` that needs no steps, marks or care, in one
    // call to the surface; how many segments it drew (0: draw segment `first` alone).
    size_t DrawSegmentRun(const std::vector<double>& xs, const std::vector<double>& ys,
                          size_t first);
    void MarkPoint(double x, double y);
    void WaitDelay();
    // Waits while a drawing is paused; false when FlagExit ended the wait.
    bool WaitWhilePaused();
    std::string PointDetail(const char* axis, const ctl::Variant& value, float min, float max,
                            bool asDate) const;

    void RequirePoints() const;  // raises 91 when there is no series (design time)
    void CreatePoints();
    void ReleasePoints();

    // Menu commands (the menus run them; ucKarvexMenus.cpp).
    void mnuView_Click();
    void mnuTrackcolor_Click();
    void mnuRemove_Click();
    void mnuXYStyle_Click();
    void EnterScaleSystem();

    // Replays a stored track (asking which when askName); while one plays, pauses or resumes it.
    bool PlayTrack(bool askName);
    // The menus show the playback's pause state in the caption of the playback command.
    void SetPlaybackCaption(const std::string& caption) {
        menus_->SetCommandCaption("mnuExec", caption, caption);
    }
    void DisableMapMenu() { menus_->DisableMapMenu(); }
    void CloseTrackStore();
    // At termination: asks whether to keep the open new track, commits or rolls back.
    void ResolveNewTrack();
    void UnloadDialogs();
    // Ends a running playback at once and clears the surface.
    void CancelPlayback();
    bool SettingsRedrawRequested() const;
    void DrawAfterScaleSetting();
    // "Always on top" of the menus and the settings dialog: a modal dialog turns it off
    // first; a modeless one joins the topmost band while it is on (then true).
    bool TopmostForDialog(bool modal);

    // Drawing a new track and the playback commands (ucKarvexDrawing.cpp).
    void mnuCancel_Click();
    void mnuLineDraw_Click();
    void mnuPointDraw_Click();
    void StartDrawingCommand(TrackRecorder::Mode mode, const char* menuName);
    void mnuCommit_Click();
    void SetDrawingMenu(bool drawing);
    // The surface's input (ucKarvexMouse.cpp); run time only. A release on the control outside
    // the surface counts as the surface's release.
    void pic_main_MouseDown(int button, int shift, float x, float y);
    void pic_main_MouseMove(int button, int shift, float x, float y);
    void pic_main_MouseUp(int button, int shift, float x, float y);
    // The left-button part of a button release on the surface: a point of the drawing. False
    // when the release goes no further (the store is unusable: no MouseUp event).
    bool DrawingMouseUp(int button, int shift, float x, float y);
    void pic_main_DblClick();
    void pic_main_KeyPress(int& keyAscii);
    // The context-menu key and Shift+F10 open the right-button menu at the surface's centre.
    void ContextMenuKey(int& keyCode, int shift);
    void UserControl_MouseUp(int button, int shift, float x, float y);
    void RaiseMouseEvent(const char* name, int button, int shift, float x, float y);
    // The background picture (ucKarvexPicture.cpp).
    void mnuPicture_Click();
    void mnuClearPic_Click();

    // Persisted properties.
    bool m_AutoRedraw = true;
    float m_BaseStep = 30;
    bool m_ClipControls = true;
    bool m_FlagExit = false;
    std::string m_ControlError;
    float m_Delay = 0;
    ctl::PicturePtr m_Picture;
    bool m_AutoSize = false;
    int16_t m_DrawWidth = 1;
    int32_t m_Width = 9600, m_Height = 6200;
    float m_CurrentX = 0, m_CurrentY = 0;
    std::string m_Title;
    bool m_ViewPoints = false, m_ViewGrid = false, m_EnableMenu = true;
    int32_t m_MapStyle = 1;
    float m_LeftScale = 480, m_TopScale = 240, m_RightScale = 480, m_BottomScale = 240;
    bool m_XAsDate = false, m_YAsDate = false;
    float m_MinX = 0, m_MaxX = 100, m_MinY = 0, m_MaxY = 100;
    int32_t m_UnitX = 10, m_UnitY = 10;
    uint32_t m_BackColor = 0xFFC0C0, m_ForeColor = 0x0000FF, m_GridColor = 0, m_TextColor = 0;
    uint32_t m_TitleColor = 0x00FFFF, m_TrackColor = 0xFF0000;
    bool m_MouseScan = false;
    ctl::Variant m_MouseValueX{int32_t(0)}, m_MouseValueY{int32_t(0)};

    // Run-time state.
    int m_PixelW = 15, m_PixelH = 15;
    std::string m_AppFolder;
    PlotFrame m_Frame;
    std::vector<double> m_TrackX, m_TrackY;
    bool m_PlaybackRunning = false, m_PlaybackPaused = false;
    std::unique_ptr<TrackStore> m_Store;
    bool m_DbUnusable = false;
    int16_t m_PlaybackBranch = 0, m_PlaybackBranches = 0;
    std::unique_ptr<clsPoints> Points;
    std::unique_ptr<ChartMenus> menus_;
    std::unique_ptr<TrackRecorder> m_Recorder;
    // A playback asked to start again over a new picture once the running one has ended.
    bool m_ReplayPending = false;
    // The user cancelled the running playback: once it has ended, FlagExit is cleared again
    // (the control is not ending) and the surface catches up with the size it missed.
    bool m_CancelPending = false;
    // The surface handled the release being delivered (see the control's release handler).
    bool m_SurfaceReleased = false;
    // A drawing is walking its segments (host code running between steps must not start
    // another), and how deeply Draw calls are nested through event handlers.
    bool m_Walking = false;
    int m_DrawDepth = 0;
    bool RefuseNestedDrawing();
    // The copy of TrackX / TrackY a drawing walks, in buffers kept from walk to walk.
    struct WalkCopy {
        explicit WalkCopy(ucKarvex& c);
        ~WalkCopy();
        WalkCopy(const WalkCopy&) = delete;
        WalkCopy& operator=(const WalkCopy&) = delete;
        ucKarvex& chart;
        bool reused;
        std::vector<double> x, y;
    };
    std::vector<double> m_WalkX, m_WalkY;
    bool m_WalkBuffersBusy = false;
    std::string m_TrackName, m_PrevTrackName;
    // What screen readers are told; made last and ended first, as it reads all of the above.
    std::unique_ptr<ucKarvexAccessible> accessible_;
    std::unique_ptr<ctl::KeyboardFocusFrame> focusFrame_;

  public:
    ucKarvexAccessible& Accessible() const { return *accessible_; }
};

// The type table of the chart control (members, events, enumerations).
const ctl::ClassInfo& ucKarvexTypeInfo();

}  // namespace karvex
