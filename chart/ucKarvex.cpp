#include "chart/ucKarvex.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/KarvexState.h"
#include "chart/map/TrackStore.h"
#include "chart/map/frmList.h"
#include "chart/settings/frmUnit.h"
#include "chart/ucKarvexAccessible.h"
#include "common/fabout.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"

namespace karvex {

using ctl::Variant;

ucKarvex::ucKarvex(ctl::ControlSite& site)
    : ctl::UserControl(site),
      pic_main(std::make_unique<ctl::PictureBox>(*this)),
      pic_icon(std::make_unique<ctl::PictureBox>(*this)),
      m_Picture(ctl::EmptyPicture()),
      m_Store(std::make_unique<TrackStore>()),
      menus_(std::make_unique<ChartMenus>(*this)),
      m_Recorder(std::make_unique<TrackRecorder>(*m_Store, *pic_main)) {
    ++Library().LiveInstances;
    pic_main->setName("pic_main");
    pic_main->Move(kInset, kInset, 0, 0);
    pic_icon->setVisible(false);
    pic_main->setClipControls(true);
    pic_main->onMouseDown = [this](int b, int s, float x, float y) {
        pic_main_MouseDown(b, s, x, y);
    };
    pic_main->onMouseMove = [this](int b, int s, float x, float y) {
        pic_main_MouseMove(b, s, x, y);
    };
    pic_main->onMouseUp = [this](int b, int s, float x, float y) {
        // The window system passes a release the surface did not take on to the control, in
        // the control's coordinates: the control must not take it a second time.
        m_SurfaceReleased = true;
        pic_main_MouseUp(b, s, x, y);
    };
    pic_main->onDblClick = [this] {
        // Its failure is in ControlError already; nothing may leave a window event.
        try {
            pic_main_DblClick();
        } catch (const std::exception&) {
        }
    };
    pic_main->onKeyPress = [this](int& key) { pic_main_KeyPress(key); };
    onMouseUp = [this](int b, int s, float x, float y) {
        const bool surfaceHadIt = m_SurfaceReleased;
        m_SurfaceReleased = false;
        if (!surfaceHadIt) UserControl_MouseUp(b, s, x, y);
    };
    // A press begins a new gesture: no release of the surface is waiting to be passed on.
    onMouseDown = [this](int, int, float, float) { m_SurfaceReleased = false; };
    pic_main->onKeyDown = [this](int& code, int& shift) { ContextMenuKey(code, shift); };
    onKeyDown = [this](int& code, int& shift) { ContextMenuKey(code, shift); };
    accessible_ = std::make_unique<ucKarvexAccessible>(*this);
    focusFrame_ = std::make_unique<ctl::KeyboardFocusFrame>(*this, *pic_main);
    m_Store->onTracksChanged = [this] { accessible_->TracksChanged(); };
}

ucKarvex::~ucKarvex() {
    m_Store->onTracksChanged = nullptr;
    UnloadDialogs();
    if (--Library().LiveInstances == 0) ReleaseUnitDialog();
}

// ---- lifecycle ------------------------------------------------------------------------------

void ucKarvex::Initialize() {
    RefreshLibraryState();
    m_PixelW = ctl::Widget::TwipsX();
    m_PixelH = ctl::Widget::TwipsY();
    m_ControlError.clear();
    m_FlagExit = false;
    m_AppFolder = ApplicationFolder();
    if (!ctl::EndsWith(m_AppFolder, "/")) m_AppFolder += "/";
}

void ucKarvex::Step(const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
    }
}

void ucKarvex::Terminate() {
    m_FlagExit = true;
    m_ReplayPending = false;
    Step([&] {
        if (NewTrackOpen()) ResolveNewTrack();
    });
    Step([&] { UnloadDialogs(); });
    Step([&] { UnloadTrackChooser(); });
    Step([&] { UnloadAboutBox(); });
    Step([&] { CloseTrackStore(); });
    Step([&] { menus_->Release(); });
    Step([&] { ReleasePoints(); });
}

// ---- properties with rules of their own ----------------------------------------------------

void ucKarvex::setAutoRedraw(bool on) {
    m_AutoRedraw = on;
    pic_main->setAutoRedraw(on);
    Notify("AutoRedraw");
}

void ucKarvex::setBaseStep(float v) {
    m_BaseStep = std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 64000.0f);
    Notify("BaseStep");
}

void ucKarvex::setBorderStyle(int32_t style) {
    if (style != 0 && style != 1)
        return RejectSetting(
            "Invalid property value: BorderStyle takes 0 (None) or 1 (Fixed Single)");
    pic_main->setBorderStyle(style);
    Notify("BorderStyle");
}

void ucKarvex::setDelay(float ms) {
    m_Delay = std::isnan(ms) ? 0.0f : std::clamp(ms, 0.0f, 60000.0f);
    Notify("Delay");
}

void ucKarvex::setDrawWidth(int16_t w) {
    int v = std::max<int>(w, 1);
    try {
        float sw = pic_main->ScaleWidth();
        // The surface-wide cap can reach 0 on an empty surface; a line is at least one pixel.
        if (sw / 2 < v) v = std::max(1, int(ctl::RoundHalfEven(sw)) / 2);
    } catch (...) {
        v = 1;
    }
    m_DrawWidth = int16_t(v);
    pic_main->setDrawWidth(v);
    Notify("DrawWidth");
}

void ucKarvex::setFlagExit(bool on) {
    if (!UserMode()) ctl::Raise(ctl::errSetNotSupported);
    m_FlagExit = on;
    if (on) CancelPlayback();
    Notify("FlagExit");
}

void ucKarvex::setPicture(ctl::PicturePtr p) {
    m_Picture = p ? std::move(p) : ctl::EmptyPicture();
    pic_main->setPicture(m_Picture);
    if (m_AutoSize) Resize();
    Notify("Picture");
}

void ucKarvex::setBackColor(uint32_t c) {
    m_BackColor = c;
    pic_main->setBackColor(c);
    ctl::UserControl::setBackColor(c);
    Notify("BackColor");
}

void ucKarvex::setEnabled(bool on) {
    ctl::UserControl::setEnabled(on);
    Notify("Enabled");
}

void ucKarvex::setForeColor(uint32_t c) {
    m_ForeColor = c;
    if (m_MapStyle == 1) {
        pic_main->setForeColor(c);
        pic_main->setFillColor(c);
    }
    Notify("ForeColor");
}

void ucKarvex::setCurrentX(float x) {
    m_CurrentX = x;
    if (UserMode()) pic_main->setCurrentX(x);
    Notify("CurrentX");
}

void ucKarvex::setCurrentY(float y) {
    m_CurrentY = y;
    if (UserMode()) pic_main->setCurrentY(y);
    Notify("CurrentY");
}

void ucKarvex::setFont(ctl::FontPtr f) {
    if (!f) return RejectSetting("Invalid property value: Font needs a font object");
    pic_main->setFont(std::move(f));
    Notify("Font");
}

void ucKarvex::setTitle(const std::string& text) {
    m_Title = ctl::Trim(text);
    if (UserMode() && !m_Title.empty()) PrintTitle();
    accessible_->TitleChanged();
    Notify("Title");
}

void ucKarvex::setEnableMenu(bool on) {
    m_EnableMenu = on;
    if (UserMode()) {
        if (on)
            menus_->SetupMenus();
        else
            menus_->ClearSystemMenu();
    }
    Notify("EnableMenu");
}

void ucKarvex::setViewPoints(bool on) {
    m_ViewPoints = on;
    Notify("ViewPoints");
}

void ucKarvex::setViewGrid(bool on) {
    m_ViewGrid = on;
    Notify("ViewGrid");
}

void ucKarvex::setMapStyle(int32_t style) {
    if (style != 0 && style != 1)
        return RejectSetting("Invalid property value: MapStyle takes 0 (map) or 1 (Scale System)");
    m_MapStyle = style;
    if (style == 1 && UserMode()) EnterScaleSystem();
    accessible_->RangesChanged();
    accessible_->TextsChanged();  // the data part turns from tracks to points or back
    Notify("MapStyle");
}

void ucKarvex::setClipControls(bool) {
    // Drawing relies on clipped child windows, so the value always stays True.
    m_ClipControls = true;
    pic_main->setClipControls(true);
    if (!UserMode())
        ctl::MsgBox("Read-only property.\r\r'ClipControls' property must be set to 'True'",
                    ctl::MsgIcon::Exclamation);
}

void ucKarvex::setGridColor(uint32_t c) {
    m_GridColor = c;
    Notify("GridColor");
}

void ucKarvex::setTitleColor(uint32_t c) {
    m_TitleColor = c;
    Notify("TitleColor");
}

void ucKarvex::setTextColor(uint32_t c) {
    m_TextColor = c;
    Notify("TextColor");
}

void ucKarvex::setTrackColor(uint32_t c) {
    m_TrackColor = c;
    Notify("TrackColor");
}

void ucKarvex::RejectSetting(const std::string& text) const {
    // The form designer shows a refused value in an error box; a running program gets the error.
    if (UserMode()) ctl::Raise(380, text);
    ctl::MsgBox(text, ctl::MsgIcon::Critical);
}

void ucKarvex::About() {
    ShowAbout(0, "", 0, 0, pic_icon->Picture());
    pic_main->setVisible(true);
}

void ucKarvex::PrintTitle() {
    if (!ctl::UserControl::Enabled()) return;
    pic_main->setCurrentX(pic_main->TextWidth("x"));
    pic_main->setCurrentY(0);
    pic_main->setForeColor(m_TitleColor);
    pic_main->Print(m_Title);
    pic_main->setForeColor(m_ForeColor);
    accessible_->TextsChanged();
}

}  // namespace karvex
