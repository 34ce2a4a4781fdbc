#include "chart/ucKarvex.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "chart/KarvexState.h"
#include "chart/map/TrackStore.h"
#include "chart/map/frmList.h"
#include "chart/settings/frmUnit.h"
#include "common/fabout.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Text.h"

namespace karvex {

using ctl::Variant;

namespace {
constexpr uint32_t kDefaultBackColor = 0xFFC0C0;
constexpr uint32_t kDefaultForeColor = 0x0000FF;

// Loading and saving treat each key as its own step: a failing step is skipped.
void Step(const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
    }
}

Variant Colour(uint32_t c) {
    return Variant(int32_t(c));
}
uint32_t ToColour(const Variant& v) {
    return uint32_t(v.toInt32());
}

// Marks the library busy for the lifetime of the guard, even when an error leaves early.
class BusyGuard {
  public:
    BusyGuard() { Library().Busy = true; }
    ~BusyGuard() { Library().Busy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
}  // namespace

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
    pic_main->onMouseUp = [this](int b, int s, float x, float y) { pic_main_MouseUp(b, s, x, y); };
    pic_main->onDblClick = [this] {
        // Its failure is in ControlError already; nothing may leave a window event.
        try {
            pic_main_DblClick();
        } catch (const std::exception&) {
        }
    };
    pic_main->onKeyPress = [this](int& key) { pic_main_KeyPress(key); };
    onMouseUp = [this](int b, int s, float x, float y) { UserControl_MouseUp(b, s, x, y); };
}

ucKarvex::~ucKarvex() {
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

void ucKarvex::InitProperties() {
    m_AutoRedraw = true;
    pic_main->setAutoRedraw(true);
    m_BaseStep = 30;
    m_ClipControls = true;
    m_FlagExit = false;
    m_ControlError.clear();
    m_Delay = 0;
    pic_main->setBorderStyle(0);
    m_DrawWidth = 1;
    pic_main->setDrawWidth(1);
    m_AutoSize = false;
    m_Picture = ctl::EmptyPicture();
    m_Width = 9600;
    m_Height = 6200;
    PushSizeToContainer();
    m_EnableMenu = true;
    m_ViewPoints = false;
    m_ViewGrid = false;
    pic_main->setBackColor(kDefaultBackColor);
    pic_main->setForeColor(kDefaultForeColor);
    pic_main->setFillColor(kDefaultForeColor);
    m_MaxX = 100;
    m_MaxY = 100;
    m_UnitX = 10;
    m_UnitY = 10;
    m_LeftScale = 480;
    m_RightScale = 480;
    m_BackColor = kDefaultBackColor;
    ctl::UserControl::setBackColor(kDefaultBackColor);
    m_ForeColor = kDefaultForeColor;
    m_GridColor = 0;
    m_TitleColor = 0x00FFFF;
    m_TextColor = 0;
    m_TrackColor = 0xFF0000;
    m_XAsDate = false;
    m_YAsDate = false;
    m_MinX = 0;
    m_MinY = 0;
    m_TopScale = 240;
    m_BottomScale = 240;
    m_MapStyle = 1;
    m_MouseScan = false;
    m_MouseValueX = Variant(int32_t(0));
    m_MouseValueY = Variant(int32_t(0));
    // A new control writes with the form's font, so saving it at once stores no font.
    if (AmbientFont()) pic_main->setFont(AmbientFont()->clone());
    // A control a host creates new at run time needs its point series and its menus as much as
    // a loaded one.
    if (UserMode()) {
        CreatePoints();
        Step([&] { menus_->SetupMenus(); });
    }
}

void ucKarvex::ReadProperties(ctl::PropertyBag& bag) {
    auto read = [&bag](const char* key, const Variant& def) { return bag.ReadProperty(key, def); };
    Step([&] { m_AutoRedraw = read("AutoRedraw", true).toBool(); });
    Step([&] { m_BaseStep = read("BaseStep", 30.0f).toSingle(); });
    Step([&] { m_ClipControls = read("ClipControls", true).toBool(); });
    Step([&] { m_FlagExit = read("FlagExit", false).toBool(); });
    Step([&] { m_ControlError = read("ControlError", "").toString(); });
    Step([&] { m_Delay = read("Delay", 0.0f).toSingle(); });
    Step([&] { pic_main->setBorderStyle(read("BorderStyle", int32_t(0)).toInt32()); });

    Step([&] {
        auto pic = std::dynamic_pointer_cast<ctl::Picture>(
            read("Picture", ctl::ObjectPtr(ctl::EmptyPicture())).toObject());
        m_Picture = pic ? pic : ctl::EmptyPicture();
    });
    Step([&] { pic_main->setAutoRedraw(m_AutoRedraw); });
    Step([&] { pic_main->setPicture(m_Picture); });

    Step([&] {
        m_AutoSize = read("AutoSize", false).toBool();
        pic_main->setAutoSize(m_AutoSize);
    });
    Resize();

    Step([&] {
        m_DrawWidth = read("DrawWidth", int16_t(1)).toInt16();
        pic_main->setDrawWidth(m_DrawWidth);
    });
    Step([&] {
        m_Width = read("Width", int32_t(9600)).toInt32();
        PushSizeToContainer();
    });
    Step([&] {
        m_Height = read("Height", int32_t(6200)).toInt32();
        PushSizeToContainer();
    });
    if (m_FlagExit) FitSurface();  // the container's resize left the surface alone

    Step([&] { m_BackColor = ToColour(read("BackColor", Colour(kDefaultBackColor))); });
    Step([&] { m_ForeColor = ToColour(read("ForeColor", Colour(kDefaultForeColor))); });
    Step([&] { m_GridColor = ToColour(read("GridColor", Colour(0))); });
    Step([&] { m_TextColor = ToColour(read("TextColor", Colour(0))); });
    Step([&] { m_TitleColor = ToColour(read("TitleColor", Colour(0x00FFFF))); });
    Step([&] { m_TrackColor = ToColour(read("TrackColor", Colour(0xFF0000))); });
    Step([&] {
        pic_main->setBackColor(m_BackColor);
        ctl::UserControl::setBackColor(m_BackColor);
    });
    Step([&] {
        pic_main->setForeColor(m_ForeColor);
        pic_main->setFillColor(m_ForeColor);
    });

    Step([&] { m_CurrentX = read("CurrentX", 0.0f).toSingle(); });
    Step([&] { m_CurrentY = read("CurrentY", 0.0f).toSingle(); });
    Step([&] {
        ctl::FontPtr ambient =
            AmbientFont() ? AmbientFont()->clone() : ctl::MakeFont("MS Sans Serif", 8);
        setFont(
            std::dynamic_pointer_cast<ctl::Font>(read("Font", ctl::ObjectPtr(ambient)).toObject()));
    });
    Step([&] { m_Title = read("Title", "").toString(); });
    Step([&] { m_ViewPoints = read("ViewPoints", false).toBool(); });
    Step([&] { m_ViewGrid = read("ViewGrid", false).toBool(); });
    Step([&] { m_EnableMenu = read("EnableMenu", true).toBool(); });
    Step([&] { m_MapStyle = read("MapStyle", int32_t(1)).toInt32(); });
    Step([&] { m_LeftScale = read("LeftScale", 480.0f).toSingle(); });
    Step([&] { m_TopScale = read("TopScale", 240.0f).toSingle(); });
    Step([&] { m_RightScale = read("RightScale", 480.0f).toSingle(); });
    Step([&] { m_BottomScale = read("BottomScale", 240.0f).toSingle(); });
    Step([&] { m_XAsDate = read("XAsDate", false).toBool(); });
    Step([&] { m_YAsDate = read("YAsDate", false).toBool(); });
    Step([&] { m_MinX = read("MinX", 0.0f).toSingle(); });
    Step([&] { m_MaxX = read("MaxX", 100.0f).toSingle(); });
    Step([&] { m_MinY = read("MinY", 0.0f).toSingle(); });
    Step([&] { m_MaxY = read("MaxY", 100.0f).toSingle(); });
    Step([&] { m_UnitX = read("UnitX", int32_t(10)).toInt32(); });
    Step([&] { m_UnitY = read("UnitY", int32_t(10)).toInt32(); });

    // A date axis loaded with the plain defaults spans the current year.
    if (m_MapStyle == 1) {
        Step([&] {
            if (m_XAsDate) SpanCurrentYear(m_MinX, m_MaxX);
        });
        Step([&] {
            if (m_YAsDate) SpanCurrentYear(m_MinY, m_MaxY);
        });
    }

    Step([&] { m_MouseScan = read("MouseScan", false).toBool(); });
    // Mouse values keep the kind they were saved with (text, number or date).
    Step([&] {
        Variant v = read("MouseValueX", Variant());
        m_MouseValueX = v.isEmpty() ? Variant(int32_t(0)) : v;
    });
    Step([&] {
        Variant v = read("MouseValueY", Variant());
        m_MouseValueY = v.isEmpty() ? Variant(int32_t(0)) : v;
    });
    Step([&] { ctl::UserControl::setEnabled(read("Enabled", true).toBool()); });

    if (!UserMode()) return;

    Step([&] { CreatePoints(); });
    Step([&] {
        if (!Library().Registry) Library().Registry = std::make_unique<clsControls>();
    });
    Step([&] { menus_->SetupMenus(); });
    if (m_MapStyle != 0) {
        Step([&] { ComputePlotFrameLenient(); });
    } else {
        Step([&] { ComputePlotFrame(); });
        Step([&] { OpenTrackStore(); });
    }
}

void ucKarvex::WriteProperties(ctl::PropertyBag& bag) {
    auto write = [&bag](const char* key, const Variant& v, const Variant& def) {
        Step([&] { bag.WriteProperty(key, v, def); });
    };
    write("AutoRedraw", m_AutoRedraw, true);
    write("BaseStep", m_BaseStep, 30.0f);
    write("ClipControls", m_ClipControls, true);
    write("FlagExit", m_FlagExit, false);
    write("ControlError", m_ControlError, "");
    write("Delay", m_Delay, 0.0f);
    Step([&] { write("BorderStyle", int32_t(pic_main->BorderStyle()), int32_t(0)); });
    write("Picture", ctl::ObjectPtr(m_Picture), ctl::ObjectPtr(ctl::EmptyPicture()));
    write("AutoSize", m_AutoSize, false);
    write("DrawWidth", m_DrawWidth, int16_t(1));
    write("Width", Width(), int32_t(9600));
    write("Height", Height(), int32_t(6200));
    write("Enabled", ctl::UserControl::Enabled(), true);
    write("CurrentX", m_CurrentX, 0.0f);
    write("CurrentY", m_CurrentY, 0.0f);
    Step([&] {
        ctl::FontPtr ambient = AmbientFont() ? AmbientFont() : ctl::MakeFont("MS Sans Serif", 8);
        write("Font", ctl::ObjectPtr(pic_main->Font()), ctl::ObjectPtr(ambient));
    });
    write("Title", m_Title, "");
    write("EnableMenu", m_EnableMenu, true);
    write("ViewPoints", m_ViewPoints, false);
    write("ViewGrid", m_ViewGrid, false);
    write("LeftScale", m_LeftScale, 480.0f);
    write("TopScale", m_TopScale, 240.0f);
    write("RightScale", m_RightScale, 480.0f);
    write("BottomScale", m_BottomScale, 240.0f);
    write("XAsDate", m_XAsDate, false);
    write("YAsDate", m_YAsDate, false);
    write("MinX", m_MinX, 0.0f);
    write("MaxX", m_MaxX, 100.0f);
    write("MinY", m_MinY, 0.0f);
    write("MaxY", m_MaxY, 100.0f);
    write("UnitX", m_UnitX, int32_t(10));
    write("UnitY", m_UnitY, int32_t(10));
    write("MapStyle", m_MapStyle, int32_t(1));
    write("BackColor", Colour(m_BackColor), Colour(kDefaultBackColor));
    write("ForeColor", Colour(m_ForeColor), Colour(kDefaultForeColor));
    write("GridColor", Colour(m_GridColor), Colour(0));
    write("TitleColor", Colour(m_TitleColor), Colour(0x00FFFF));
    write("TextColor", Colour(m_TextColor), Colour(0));
    write("TrackColor", Colour(m_TrackColor), Colour(0xFF0000));
    write("MouseValueX", m_MouseValueX, int32_t(0));
    write("MouseValueY", m_MouseValueY, int32_t(0));
    write("MouseScan", m_MouseScan, false);
}

void ucKarvex::Resize() {
    // FlagExit keeps a drawing that is ending (or a control that is) from being resized under
    // it; it never keeps a surface from being made in the first place (see FitSurface).
    if (Library().Busy || m_FlagExit) return;
    FitSurface();
}

void ucKarvex::FitSurface() {
    if (Library().Busy) return;
    try {
        int left = pic_main->Left(), top = pic_main->Top();
        if (m_AutoSize && pic_main->Picture() && pic_main->Picture()->Handle() != 0) {
            BusyGuard busy;
            ctl::UserControl::setSize(pic_main->Width() + 2 * left, pic_main->Height() + 2 * top);
        } else {
            pic_main->setWidth(int(ScaleWidth()) - 2 * left);
            pic_main->setHeight(int(ScaleHeight()) - 2 * top);
        }
    } catch (...) {
    }
}

void ucKarvex::Show() {
    // A control saved while FlagExit was set loads with it set: its surface still takes the
    // container's size, or nothing could ever be drawn on it.
    if (m_FlagExit) FitSurface();
    if (UserMode()) menus_->SetMenuCaptions();
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

int32_t ucKarvex::Width() const {
    const int actual = ctl::UserControl::Width();
    return ctl::Widget::ToPxX(m_Width) * ctl::Widget::TwipsX() == actual ? m_Width : actual;
}

int32_t ucKarvex::Height() const {
    const int actual = ctl::UserControl::Height();
    return ctl::Widget::ToPxY(m_Height) * ctl::Widget::TwipsY() == actual ? m_Height : actual;
}

void ucKarvex::PushSizeToContainer() {
    ctl::UserControl::setSize(m_Width, m_Height);
}

// ---- properties with rules of their own ----------------------------------------------------

void ucKarvex::setAutoRedraw(bool on) {
    m_AutoRedraw = on;
    pic_main->setAutoRedraw(on);
    Notify("AutoRedraw");
}

void ucKarvex::setAutoSize(bool on) {
    m_AutoSize = on;
    pic_main->setAutoSize(on);
    Resize();
    Notify("AutoSize");
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

void ucKarvex::setWidth(int32_t twips) {
    m_Width = twips;
    ctl::UserControl::setWidth(twips);
    Notify("Width");
}

void ucKarvex::setHeight(int32_t twips) {
    m_Height = twips;
    ctl::UserControl::setHeight(twips);
    Notify("Height");
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
}

}  // namespace karvex
