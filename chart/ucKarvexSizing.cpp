// The surface and its container: the surface follows the container's size (or, with AutoSize
// and a picture, the container follows the surface), and the size a host gave is read back as
// given while the window still has it.
#include "chart/KarvexState.h"
#include "chart/ucKarvex.h"

namespace karvex {

namespace {
// Marks the library busy for the lifetime of the guard, even when an error leaves early.
class BusyGuard {
  public:
    BusyGuard() { Library().Busy = true; }
    ~BusyGuard() { Library().Busy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};
}  // namespace

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

void ucKarvex::setAutoSize(bool on) {
    m_AutoSize = on;
    pic_main->setAutoSize(on);
    Resize();
    Notify("AutoSize");
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

}  // namespace karvex
