// The surface's mouse and key handlers: the drawing of a new track (through the recorder), the
// pop-up menu, the coordinate read-out, playback by double-click and cancel by Esc, and the
// events they raise to the host. Nothing happens at design time, not even an event.
#include "chart/map/TrackStore.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"

namespace karvex {

namespace {
constexpr int kEscape = 27;
constexpr int kMenuKey = 93;
constexpr int kF10 = 121;
}  // namespace

void ucKarvex::RaiseMouseEvent(const char* name, int button, int shift, float x, float y) {
    ctl::Args args{ctl::Variant(int16_t(button)), ctl::Variant(int16_t(shift)), ctl::Variant(x),
                   ctl::Variant(y)};
    RaiseEvent(name, args);
}

void ucKarvex::pic_main_MouseDown(int button, int shift, float x, float y) {
    m_SurfaceReleased = false;
    if (!UserMode()) return;
    try {
        // The read-out is for a left press without shift keys, as at the release.
        if (button == ctl::vbLeftButton && shift == 0 && m_MapStyle != 0) UpdateMouseValues(x, y);
        RaiseMouseEvent("MouseDown", button, shift, x, y);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
    }
}

void ucKarvex::pic_main_MouseMove(int button, int shift, float x, float y) {
    if (!UserMode()) return;
    try {
        if (button == ctl::vbLeftButton && shift == 0 && m_Recorder->DrawByStep()) {
            if (!m_EnableMenu) return;
            if (!m_DbUnusable) m_Recorder->Move(x, y, m_TrackColor);
        } else if (m_MapStyle != 0 && m_MouseScan) {
            UpdateMouseValues(x, y);
        }
        RaiseMouseEvent("MouseMove", button, shift, x, y);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
    }
}

bool ucKarvex::DrawingMouseUp(int button, int shift, float x, float y) {
    if (button != ctl::vbLeftButton || shift != 0 || m_MapStyle != 0) return true;
    if (m_DbUnusable) return false;
    m_Recorder->Release(x, y);
    return true;
}

void ucKarvex::UserControl_MouseUp(int button, int shift, float x, float y) {
    // The surface fills the control but for a thin inset; a release there is the surface's.
    // Releases the surface saw itself (and passed on to the control) are not handled twice.
    // A release the surface passes on (it lies outside the surface after a drag) lies outside
    // the control as well, or on the surface: neither is taken here.
    const float sx = x - float(pic_main->Left()), sy = y - float(pic_main->Top());
    const bool onSurface =
        sx >= 0 && sy >= 0 && sx < float(pic_main->Width()) && sy < float(pic_main->Height());
    const bool onControl = x >= 0 && y >= 0 && x < float(Width()) && y < float(Height());
    if (onControl && !onSurface) pic_main_MouseUp(button, shift, sx, sy);
}

void ucKarvex::pic_main_DblClick() {
    if (!UserMode() || !m_EnableMenu || m_MapStyle == 1) return;
    try {
        if (m_DbUnusable) {
            ctl::MsgBox(m_AppFolder + "Mappa.mdb\r\rThe database doesn't exist in the path.",
                        ctl::MsgIcon::Exclamation);
            return;
        }
        const int32_t tracks = m_Store->CountTracks();
        PlayTrack(tracks > 1);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
        throw ctl::RaisedError(e.number(), e.description());
    }
}

void ucKarvex::ContextMenuKey(int& keyCode, int shift) {
    const bool menuKey =
        (keyCode == kMenuKey && shift == 0) || (keyCode == kF10 && shift == ctl::vbShiftMask);
    if (!menuKey || !UserMode() || !m_EnableMenu) return;
    keyCode = 0;
    focusFrame_->KeyboardUsed();
    // Nothing may leave a window event; a failing command says so itself.
    try {
        menus_->PopupContextMenu(float(pic_main->Width()) / 2, float(pic_main->Height()) / 2);
    } catch (const ctl::RaisedError& e) {
        m_ControlError = e.description();
    }
}

void ucKarvex::pic_main_KeyPress(int& keyAscii) {
    if (!UserMode() || !m_EnableMenu || m_MapStyle == 1 || m_DbUnusable) return;
    if (keyAscii != kEscape) return;
    keyAscii = 0;
    mnuCancel_Click();
}

}  // namespace karvex
