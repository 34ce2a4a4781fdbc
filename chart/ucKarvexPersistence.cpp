// The control's design-time properties: their values for a new control, and each key read from
// and written to the host's property store as its own step (a failing step is skipped).
#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"
#include "platform/com/PropertyBag.h"

namespace karvex {

using ctl::Variant;

namespace {
constexpr uint32_t kDefaultBackColor = 0xFFC0C0;
constexpr uint32_t kDefaultForeColor = 0x0000FF;

Variant Colour(uint32_t c) {
    return Variant(int32_t(c));
}
uint32_t ToColour(const Variant& v) {
    return uint32_t(v.toInt32());
}
}  // namespace

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

}  // namespace karvex
