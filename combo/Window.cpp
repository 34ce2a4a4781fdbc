#include "combo/Window.h"

#include "combo/QuorlinModule.h"
#include "platform/sys/Screen.h"

namespace quorlin {

Window::Window()
    : lstCol1(form),
      lstCol2(form),
      PixelW(ctl::Screen::TwipsPerPixelX()),
      PixelH(ctl::Screen::TwipsPerPixelY()),
      ScrollBarWidth(PixelW * (ctl::Screen::VScrollBarWidthPx() + 2)) {
    form.setVisible(false);
    // The lists are as high as ListHeight asks, not cut to whole rows (a part row shows).
    lstCol1.setIntegralHeight(false);
    lstCol2.setIntegralHeight(false);
    lstCol1.setLeft(0);
    lstCol1.setTop(0);
    lstCol2.setTop(0);
}

Window::~Window() = default;

void Window::setcFont(ctl::FontPtr font) {
    lstCol1.setFont(font);
    lstCol2.setFont(font);
}
void Window::setcBackcolor(uint32_t color) {
    form.setBackColor(color);
    lstCol1.setBackColor(color);
    lstCol2.setBackColor(color);
}
void Window::setcForecolor(uint32_t color) {
    form.setForeColor(color);
    lstCol1.setForeColor(color);
    lstCol2.setForeColor(color);
}

void Window::HideChildForm() {
    bool was = Initialising();
    setInitialising(true);
    if (form.IsShown()) form.Hide();
    FlagShowList = false;
    if (!Selected) {
        lstCol1.setListIndex(ListIndex);
        lstCol2.setListIndex(ListIndex);
    }
    setInitialising(was);
}

}  // namespace quorlin
