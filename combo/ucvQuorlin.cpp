#include "combo/ucvQuorlin.h"

#include <algorithm>

#include "combo/ComboPictures.h"
#include "combo/QuorlinModule.h"
#include "combo/ucvQuorlinAccessible.h"
#include "common/fabout.h"
#include "platform/com/Handles.h"
#include "platform/com/RaisedError.h"
#include "platform/com/Variant.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Screen.h"
#include "platform/sys/Text.h"

namespace quorlin {

namespace {
constexpr int32_t kMinColumn = 270;
// No window is this wide; capping a column here keeps sums of widths within 32 bits.
constexpr int32_t kMaxColumn = 100'000'000;
constexpr uint32_t kLockedBack = 0xC0C0C0, kLockedFore = 0x000000;
const char* const kReadOnly = "Can't assign to read-only property";

// One step of loading or saving; a step that fails is skipped.
template <class F>
void Step(F&& f) {
    try {
        f();
    } catch (const std::exception&) {
    }
}
}  // namespace

ucvQuorlin::ucvQuorlin(ctl::ControlSite& site)
    : UserControl(site),
      txtCol1(*this),
      txtCol2(*this),
      lblCol1(*this),
      lblCol2(*this),
      lstCol1a(*this),
      lstCol2a(*this),
      imgCombo(*this),
      focusRect(*this),
      hdc_(ctl::NewHandle()) {
    InstanceCreated();
    TimerProc.setInterval(100);
    TimerProc.onTimer = [this] { flow_.TimerProc_Timer(); };
    txtCol1.setName("txtCol1");
    txtCol2.setName("txtCol2");
    lblCol1.setName("lblCol1");
    lblCol2.setName("lblCol2");
    lstCol1a.setName("lstCol1a");
    lstCol2a.setName("lstCol2a");
    imgCombo.setName("imgCombo");
    imgCombo.setStretch(true);
    // ListHeight is the height the lists show, not cut to whole rows: a stored or default
    // height reads back as it was set and a style change stores nothing new.
    lstCol1a.setIntegralHeight(false);
    lstCol2a.setIntegralHeight(false);
    // Hidden until the simple style shows them: a list shown even once makes its toolkit list,
    // and a control placed on a form already shown would show them before its style is known.
    lstCol1a.setVisible(false);
    lstCol2a.setVisible(false);
    lblCol1.setBorderStyle(1);
    lblCol2.setBorderStyle(1);
    Widget::setHeight(330);
    accessible_ = std::make_unique<ucvQuorlinAccessible>(*this);
}

ucvQuorlin::~ucvQuorlin() {
    TimerProc.setEnabled(false);
    // The drop-down window goes first: closing it hands the focus back to the cells, whose
    // handlers still need the rest of the control.
    window_.reset();
    InstanceEnded();
}

void ucvQuorlin::Initialize() {
    setInitialising(true);
    HandAboutTexts();
    PixelW = ctl::Screen::TwipsPerPixelX();
    PixelH = ctl::Screen::TwipsPerPixelY();
    defBack_ = ctl::Screen::SysColor(ctl::COLOR_WINDOW);
    defFore_ = ctl::Screen::SysColor(ctl::COLOR_WINDOWTEXT);
    defFont_ = ctl::MakeFont("MS Sans Serif", 8);
    m_EditHeight = 330;
    m_ButtonWidth = PixelW * (ctl::Screen::VScrollBarWidthPx() + 2);
    m_ListHeight = 1800;
    m_MinCellHeight = 315;
    m_DefaultWidth2 = 2900;
}

void ucvQuorlin::InitProperties() {
    m_BackColor = defBack_;
    m_ForeColor = defFore_;
    m_Font = defFont_->clone();
    m_WidthCol1 = 1100;
    m_WidthCol2 = m_DefaultWidth2;
    m_Style = DropdownCombo;
    m_ListHeight = 1800;
    m_AutoFill = m_Locked = false;
    m_ListIndex = m_NewIndex = -1;
    m_ItemData = m_TopIndex = 0;
    m_List.clear();
    m_Text.clear();
    m_ToolTipText.clear();
    // The drop-down window is made when it is first needed (rows, the list's height, opening):
    // a control that never shows a list costs no window of its own.
    ColourChildren();
    ShowParts();
    LayoutFont();
    Widget::setWidth(InnerWidth());
    Widget::setHeight(m_EditHeight);
    // A control made at run time needs its timer as much as a stored one: it hands the
    // drop-down list's pick back.
    if (UserMode()) TimerProc.setEnabled(true);
    setInitialising(false);
}

void ucvQuorlin::ReadProperties(ctl::PropertyBag& bag) {
    using ctl::Variant;
    Step([&] {
        Variant v = bag.ReadProperty("Font", Variant(ctl::ObjectPtr(defFont_)));
        auto f = std::dynamic_pointer_cast<ctl::Font>(v.toObject());
        m_Font = f ? f : defFont_->clone();
    });
    if (!m_Font) m_Font = defFont_->clone();
    Step([&] {
        m_BackColor = uint32_t(bag.ReadProperty("BackColor", int32_t(defBack_)).toInt32());
    });
    Step([&] {
        m_ForeColor = uint32_t(bag.ReadProperty("ForeColor", int32_t(defFore_)).toInt32());
    });
    Step([&] { m_List = bag.ReadProperty("List", "").toString(); });
    Step([&] { m_ListIndex = bag.ReadProperty("ListIndex", int32_t(-1)).toInt32(); });
    Step([&] { m_ItemData = bag.ReadProperty("ItemData", int32_t(0)).toInt32(); });
    Step([&] {
        m_WidthCol1 =
            std::clamp(bag.ReadProperty("WidthCol1", int32_t(1100)).toInt32(), 0, kMaxColumn);
    });
    Step([&] {
        m_WidthCol2 =
            std::clamp(bag.ReadProperty("WidthCol2", int32_t(2900)).toInt32(), 0, kMaxColumn);
    });
    Step([&] { m_Style = bag.ReadProperty("Style", int32_t(0)).toInt32(); });
    Step([&] {
        m_AutoFill = bag.ReadProperty("AutoFill", false).toBool() && m_Style != DropdownList;
    });
    Step([&] { m_Locked = bag.ReadProperty("Locked", false).toBool(); });
    Step([&] { m_Text = bag.ReadProperty("Text", "").toString(); });
    Step([&] { m_NewIndex = bag.ReadProperty("NewIndex", int32_t(-1)).toInt32(); });
    Step([&] {
        m_ListHeight =
            ScreenLimitedListHeight(bag.ReadProperty("ListHeight", int32_t(1800)).toInt32());
    });
    Step([&] { m_ToolTipText = bag.ReadProperty("ToolTipText", "").toString(); });
    Step([&] { m_Enabled = bag.ReadProperty("Enabled", true).toBool(); });
    Widget::setEnabled(m_Enabled);

    m_ButtonWidth = PixelW * (ctl::Screen::VScrollBarWidthPx() + 2);
    txtCol1.setLocked(m_Locked);
    txtCol2.setLocked(m_Locked);
    for (ctl::Widget* w :
         {static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
          static_cast<ctl::Widget*>(&lstCol1a), static_cast<ctl::Widget*>(&lstCol2a)})
        w->setToolTipText(m_ToolTipText);
    if (m_Style == DropdownCombo || m_Style == SimpleCombo) {
        // The edit cells show the stored text again, split like a row.
        size_t tab = m_Text.find('\t');
        size_t cut = tab != std::string::npos ? tab : m_Text.find(';');
        txtCol1.setText(cut == std::string::npos ? m_Text : m_Text.substr(0, cut));
        txtCol2.setText(cut == std::string::npos ? std::string() : m_Text.substr(cut + 1));
    }
    ColourChildren();
    ShowParts();
    LayoutFont();
    Widget::setWidth(InnerWidth());
    Widget::setHeight(m_Style == SimpleCombo ? m_EditHeight + m_ListHeight : m_EditHeight);
    TimerProc.setEnabled(true);
    setInitialising(false);
}

void ucvQuorlin::WriteProperties(ctl::PropertyBag& bag) {
    using ctl::Variant;
    Step([&] {
        bag.WriteProperty("Font", Variant(ctl::ObjectPtr(m_Font)),
                          Variant(ctl::ObjectPtr(defFont_)));
    });
    Step([&] { bag.WriteProperty("BackColor", int32_t(m_BackColor), int32_t(defBack_)); });
    Step([&] { bag.WriteProperty("ForeColor", int32_t(m_ForeColor), int32_t(defFore_)); });
    Step([&] { bag.WriteProperty("Enabled", m_Enabled, true); });
    Step([&] { bag.WriteProperty("List", m_List, ""); });
    Step([&] { bag.WriteProperty("ListIndex", m_ListIndex, int32_t(-1)); });
    Step([&] { bag.WriteProperty("ItemData", m_ItemData, int32_t(0)); });
    Step([&] { bag.WriteProperty("WidthCol1", m_WidthCol1, int32_t(1100)); });
    Step([&] { bag.WriteProperty("WidthCol2", m_WidthCol2, int32_t(2900)); });
    Step([&] { bag.WriteProperty("Style", m_Style, int32_t(0)); });
    Step([&] { bag.WriteProperty("AutoFill", m_AutoFill, false); });
    Step([&] { bag.WriteProperty("Locked", m_Locked, false); });
    Step([&] { bag.WriteProperty("Text", m_Text, ""); });
    Step([&] { bag.WriteProperty("NewIndex", m_NewIndex, int32_t(-1)); });
    Step([&] { bag.WriteProperty("ListHeight", m_ListHeight, int32_t(1800)); });
    Step([&] { bag.WriteProperty("ToolTipText", m_ToolTipText, ""); });
}

void ucvQuorlin::Terminate() {
    terminated_ = true;
    UnloadAboutBox();
    TimerProc.setEnabled(false);
    UnloadWindow();
}

void ucvQuorlin::About() {
    // The drop-down window carries no picture of its own, so the box shows the library's.
    ShowAbout(0, "", 0, 0, ctl::EmptyPicture());
}

// ---- the drop-down window ----

void ucvQuorlin::EnsureWindow() {
    if (window_ || terminated_) return;
    window_ = std::make_unique<quorlin::Window>();
    window_->setcFont(m_Font ? m_Font : defFont_);
    window_->setcBackcolor(windowBack_);
    window_->setcForecolor(windowFore_);
    window_->Locked = m_Locked;
    window_->lstCol1.setHeight(m_ListHeight);
    window_->lstCol2.setHeight(m_ListHeight);
}

quorlin::Window* ucvQuorlin::ListWindow() {
    if (m_Style == DropdownCombo || m_Style == DropdownList) EnsureWindow();
    return window_.get();
}

void ucvQuorlin::UnloadWindow() {
    window_.reset();
}

// ---- appearance ----

void ucvQuorlin::ColourChildren() {
    uint32_t back = m_Locked ? kLockedBack : m_BackColor,
             fore = m_Locked ? kLockedFore : m_ForeColor;
    for (ctl::Widget* w :
         {static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
          static_cast<ctl::Widget*>(&lblCol1), static_cast<ctl::Widget*>(&lblCol2),
          static_cast<ctl::Widget*>(&lstCol1a), static_cast<ctl::Widget*>(&lstCol2a)}) {
        w->setBackColor(back);
        w->setForeColor(fore);
    }
    windowBack_ = back;
    windowFore_ = fore;
    if (window_) {
        window_->setcBackcolor(back);
        window_->setcForecolor(fore);
        window_->Locked = m_Locked;
    }
}

void ucvQuorlin::setBackcolor(uint32_t color) {
    m_BackColor = color;
    for (ctl::Widget* w :
         {static_cast<ctl::Widget*>(&lblCol1), static_cast<ctl::Widget*>(&lblCol2),
          static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
          static_cast<ctl::Widget*>(&lstCol1a), static_cast<ctl::Widget*>(&lstCol2a)})
        w->setBackColor(color);
    PropertyChanged("BackColor");
    if (m_Style == DropdownCombo || m_Style == DropdownList) {
        windowBack_ = color;
        if (window_) window_->setcBackcolor(color);
    }
}

void ucvQuorlin::setForecolor(uint32_t color) {
    m_ForeColor = color;
    for (ctl::Widget* w :
         {static_cast<ctl::Widget*>(&lblCol1), static_cast<ctl::Widget*>(&lblCol2),
          static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
          static_cast<ctl::Widget*>(&lstCol1a), static_cast<ctl::Widget*>(&lstCol2a)})
        w->setForeColor(color);
    PropertyChanged("ForeColor");
    if (m_Style == DropdownCombo || m_Style == DropdownList) {
        windowFore_ = color;
        if (window_) window_->setcForecolor(color);
    }
}

void ucvQuorlin::setControlEnabled(bool on) {
    m_Enabled = on;
    Widget::setEnabled(on);
    PropertyChanged("Enabled");
}

void ucvQuorlin::setControlFont(ctl::FontPtr font) {
    if (!font) ctl::Raise(ctl::errInvalidCall, "Invalid procedure call or argument");
    m_Font = std::move(font);
    LayoutFont();
    Widget::setHeight(m_Style == SimpleCombo ? m_EditHeight + m_ListHeight : m_EditHeight);
    PropertyChanged("Font");
}

void ucvQuorlin::setControlToolTipText(const std::string& text) {
    m_ToolTipText = text;
    txtCol1.setToolTipText(text);
    txtCol2.setToolTipText(text);
    lstCol1a.setToolTipText(text);
    lstCol2a.setToolTipText(text);
}

void ucvQuorlin::setLocked(bool on) {
    m_Locked = on;
    txtCol1.setLocked(on);
    txtCol2.setLocked(on);
    PropertyChanged("Locked");
    ColourChildren();
}

void ucvQuorlin::setAutoFill(bool on) {
    if (m_Style == DropdownCombo || m_Style == SimpleCombo) {
        m_AutoFill = on;
        PropertyChanged("AutoFill");
    } else if (m_Style == DropdownList) {
        m_AutoFill = false;
    }
}

// ---- style ----

void ucvQuorlin::setStyle(int32_t value) {
    bool valid = value >= 0 && value <= 2;
    if (UserMode()) {
        if (valid) ctl::Raise(7, kReadOnly);
        ctl::Raise(9, "Illegal value style");
    }
    if (!valid) {
        ctl::MsgBox("Illegal value style", ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                    LibraryTitle());
        return;
    }
    DropRowsOfOtherPair(value);
    m_Style = value;
    if (value == SimpleCombo) {
        UnloadWindow();
    } else {
        if (!window_) windowBack_ = m_BackColor, windowFore_ = m_ForeColor;
        EnsureWindow();
        m_ListHeight = 1800;
    }
    if (value == DropdownList && m_AutoFill) {
        m_AutoFill = false;
        PropertyChanged("AutoFill");
    }
    ShowParts();
    LayoutFont();
    setListHeight(m_ListHeight);
    bool was = Initialising();
    setInitialising(true);
    Widget::setWidth(InnerWidth());
    // The drop-down styles are one edit portion high; the simple style got its height above.
    if (value != SimpleCombo) Widget::setHeight(m_EditHeight);
    setInitialising(was);
    accessible_->StyleChanged();
    PropertyChanged("Style");
}

// Rows live in the control's own lists in the simple style and in the drop-down window
// otherwise. Rows added at design time stay with the pair they were added to; when the style
// moves to the other pair they are dropped with the selection, so no hidden row can refuse a
// new one or be named by ListIndex.
void ucvQuorlin::DropRowsOfOtherPair(int32_t newStyle) {
    bool ownNow = m_Style == SimpleCombo, ownNext = newStyle == SimpleCombo;
    if (!ValidStyle() || ownNow == ownNext) return;
    Pair p = RowPair();
    if (p.col1->ListCount() == 0) return;
    if (OwnPair(p)) {
        ClearOwnPair();
    } else {
        p.col1->Clear();
        p.col2->Clear();
    }
    m_ListIndex = -1;
    m_TopIndex = 0;
}

void ucvQuorlin::ShowParts() {
    bool show1 = m_WidthCol1 >= 1, show2 = m_WidthCol2 >= 1;
    bool edits = m_Style == DropdownCombo || m_Style == SimpleCombo;
    txtCol1.setVisible(edits && show1);
    txtCol2.setVisible(edits && show2);
    lblCol1.setVisible(m_Style == DropdownList && show1);
    lblCol2.setVisible(m_Style == DropdownList && show2);
    lstCol1a.setVisible(m_Style == SimpleCombo && show1);
    lstCol2a.setVisible(m_Style == SimpleCombo && show2);
    imgCombo.setVisible(m_Style == DropdownCombo || m_Style == DropdownList);
}

// ---- widths and heights ----

int32_t ucvQuorlin::InnerWidth() const {
    int32_t button = (m_Style == DropdownCombo || m_Style == DropdownList) ? m_ButtonWidth : 0;
    return m_WidthCol1 + m_WidthCol2 + button - 2 * PixelW;
}

void ucvQuorlin::PlaceColumns() {
    for (ctl::Widget* w : {static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&lblCol1),
                           static_cast<ctl::Widget*>(&lstCol1a)}) {
        w->setLeft(0);
        w->setWidth(m_WidthCol1);
    }
    for (ctl::Widget* w : {static_cast<ctl::Widget*>(&txtCol2), static_cast<ctl::Widget*>(&lblCol2),
                           static_cast<ctl::Widget*>(&lstCol2a)}) {
        w->setLeft(m_WidthCol1);
        w->setWidth(m_WidthCol2);
    }
    imgCombo.setLeft(m_WidthCol1 + m_WidthCol2 - 2 * PixelW);
    imgCombo.setWidth(m_ButtonWidth);
}

bool ucvQuorlin::ApplyWidth(int32_t& field, int32_t value, int32_t other) {
    if (value < 0) return false;
    if (value == 0 && other < 1) return false;  // both columns may not disappear together
    if (value < kMinColumn && value > 0) value = kMinColumn;
    value = std::min(value, kMaxColumn);
    applyingWidth_ = true;
    field = value;
    ShowParts();
    PlaceColumns();
    applyingWidth_ = false;
    return true;
}

void ucvQuorlin::setWidthCol1(int32_t value) {
    if (ApplyWidth(m_WidthCol1, value, m_WidthCol2)) PropertyChanged("WidthCol1");
}

void ucvQuorlin::setWidthCol2(int32_t value) {
    if (ApplyWidth(m_WidthCol2, value, m_WidthCol1)) PropertyChanged("WidthCol2");
}

// The edit portion and the list together fit on the screen.
int32_t ucvQuorlin::ScreenLimitedListHeight(int32_t value) const {
    int64_t screen = ctl::Screen::HeightTwips();
    int64_t height = std::max(0, value);
    if (m_EditHeight + height > screen) height = std::max<int64_t>(0, screen - m_EditHeight);
    return int32_t(height);
}

void ucvQuorlin::setListHeight(int32_t value) {
    m_ListHeight = std::max(0, value);
    PropertyChanged("ListHeight");
    m_ListHeight = ScreenLimitedListHeight(m_ListHeight);
    if (m_Style == DropdownCombo || m_Style == DropdownList) EnsureWindow();
    if ((m_Style == DropdownCombo || m_Style == DropdownList) && window_) {
        window_->lstCol1.setHeight(m_ListHeight);
        window_->lstCol2.setHeight(m_ListHeight);
        m_ListHeight = window_->lstCol1.Height();
    } else if (m_Style == SimpleCombo) {
        lstCol1a.setHeight(m_ListHeight);
        lstCol2a.setHeight(m_ListHeight);
        m_ListHeight = lstCol1a.Height();
        bool was = Initialising();
        setInitialising(true);
        Widget::setHeight(m_EditHeight + m_ListHeight);
        setInitialising(was);
    }
}

void ucvQuorlin::LayoutFont() {
    bool was = Initialising();
    setInitialising(true);
    ctl::FontPtr f = m_Font ? m_Font : defFont_;
    for (ctl::Widget* w :
         {static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
          static_cast<ctl::Widget*>(&lblCol1), static_cast<ctl::Widget*>(&lblCol2),
          static_cast<ctl::Widget*>(&lstCol1a), static_cast<ctl::Widget*>(&lstCol2a)})
        w->setFont(f);
    if (window_) window_->setcFont(f);
    // The edit portion is one line of the font high, never below the minimum cell, plus a pixel.
    int32_t cell =
        m_Style == DropdownList ? lblCol1.TextHeight() + 4 * PixelH : txtCol1.PreferredHeight();
    cell = std::max(cell, m_MinCellHeight);
    m_EditHeight = cell + PixelH;
    for (ctl::Widget* w : {static_cast<ctl::Widget*>(&txtCol1), static_cast<ctl::Widget*>(&txtCol2),
                           static_cast<ctl::Widget*>(&lblCol1), static_cast<ctl::Widget*>(&lblCol2),
                           static_cast<ctl::Widget*>(&imgCombo)}) {
        w->setTop(0);
        w->setHeight(m_EditHeight);
    }
    lstCol1a.setTop(m_EditHeight);
    lstCol2a.setTop(m_EditHeight);
    PlaceColumns();
    imgCboUp = DrawButtonUp(ToPxX(m_ButtonWidth), ToPxY(m_EditHeight));
    imgCboDown = DrawButtonDown(ToPxX(m_ButtonWidth), ToPxY(m_EditHeight));
    imgCombo.setPicture(imgCboUp);
    if (m_Style == SimpleCombo) {
        lstCol1a.setHeight(m_ListHeight);
        lstCol2a.setHeight(m_ListHeight);
        m_ListHeight = lstCol1a.Height();
    } else if (m_Style == DropdownList && (EnsureWindow(), window_)) {
        window_->lstCol1.setHeight(m_ListHeight);
        window_->lstCol2.setHeight(m_ListHeight);
        m_ListHeight = window_->lstCol1.Height();
    }
    setInitialising(was);
}

void ucvQuorlin::Resize() {
    if (Initialising() || applyingWidth_) return;
    setInitialising(true);
    try {
        int32_t inner = InnerWidth();
        // Compared in whole pixels: the window's width is kept in pixels, so twips that do not
        // fall on a pixel would otherwise rescale the columns on every resize.
        if (ToPxX(Width()) != ToPxX(inner)) {
            double width = Width();
            // With no inner width (both columns hidden) there is nothing to scale: both come
            // out below the minimum and take it, as in every style.
            auto scale = [&](int32_t old) {
                if (inner <= 0) return int32_t(0);
                double percent = double(old) * 100.0 / inner;
                return int32_t(ctl::RoundHalfEven(percent * width / 100.0));
            };
            int32_t w1 = scale(m_WidthCol1), w2 = scale(m_WidthCol2);
            // A column below the minimum disappears and the other takes the room; when both
            // are below it, both keep the minimum (judged on the scaled widths).
            bool narrow1 = w1 < kMinColumn, narrow2 = w2 < kMinColumn;
            if (narrow2) w2 = narrow1 ? kMinColumn : 0;
            if (narrow1) w1 = narrow2 ? kMinColumn : 0;
            // Shrinking the first column first keeps the "other column visible" rule satisfied.
            if (w1 == 0) {
                setWidthCol2(w2);
                setWidthCol1(w1);
            } else {
                setWidthCol1(w1);
                setWidthCol2(w2);
            }
            Widget::setWidth(InnerWidth());
        }
        if (m_Style == SimpleCombo) {
            int32_t h = std::max(0, Height() - m_EditHeight);
            lstCol1a.setHeight(h);
            lstCol2a.setHeight(h);
            m_ListHeight = lstCol1a.Height();
            Widget::setHeight(m_EditHeight + m_ListHeight);
            ZOrderTop();
        } else {
            Widget::setHeight(m_EditHeight);
        }
    } catch (const std::exception&) {
        // The layout is left as far as it got.
    }
    setInitialising(false);
}

// ---- focus highlight of the drop-down list style ----

void ucvQuorlin::ShowFocus() {
    uint32_t back = ctl::Screen::SysColor(ctl::COLOR_HIGHLIGHT);
    uint32_t fore = ctl::Screen::SysColor(ctl::COLOR_HIGHLIGHTTEXT);
    for (ctl::Label* l : {&lblCol1, &lblCol2}) {
        l->setBackColor(back);
        l->setForeColor(fore);
        l->Refresh();
    }
    int32_t left = m_WidthCol1 >= 1 ? 0 : m_WidthCol1;
    int32_t width =
        (m_WidthCol1 >= 1 ? m_WidthCol1 : 0) + (m_WidthCol2 >= 1 ? m_WidthCol2 : 0) - 2 * PixelW;
    focusRect.Draw(left + PixelW, PixelH, width - 2 * PixelW, m_EditHeight - 2 * PixelH);
    focusShown_ = true;
}

ctl::Widget* ucvQuorlin::InputSurface() {
    ctl::Widget* focus = ctl::Widget::Focused();
    if (focus && window_ && window_->form.Contains(*focus)) return focus;
    if (m_Style == DropdownList) return this;
    if (focus &&
        (focus == &txtCol1 || focus == &txtCol2 || focus == &lstCol1a || focus == &lstCol2a))
        return focus;
    return m_WidthCol1 >= 1 ? static_cast<ctl::Widget*>(&txtCol1) : &txtCol2;
}

}  // namespace quorlin
