#include "combo/Window.h"

#include <algorithm>

#include "combo/QuorlinModule.h"
#include "combo/SelectionMove.h"
#include "platform/sys/Screen.h"

namespace quorlin {

namespace {
// Runs with the library's initialising flag set, so the mouse handlers stay quiet.
template <class F>
void Quietly(F&& f) {
    bool was = Initialising();
    setInitialising(true);
    f();
    setInitialising(was);
}
}  // namespace

Window::Window()
    : lstCol1(form),
      lstCol2(form),
      PixelW(ctl::Screen::TwipsPerPixelX()),
      PixelH(ctl::Screen::TwipsPerPixelY()),
      ScrollBarWidth(PixelW * (ctl::Screen::VScrollBarWidthPx() + 2)),
      border_(ctl::Screen::TwipsPerPixelX()) {
    form.setName("Window");
    lstCol1.setName("lstCol1");
    lstCol2.setName("lstCol2");
    form.setVisible(false);
    // The lists are as high as ListHeight asks, not cut to whole rows (a part row shows).
    lstCol1.setIntegralHeight(false);
    lstCol2.setIntegralHeight(false);
    // The two lists read as one: no borders between them, one scroll bar on the right.
    lstCol1.setBorderStyle(0);
    lstCol2.setBorderStyle(0);
    lstCol1.setScrollBar(false);
    lstCol1.setLeft(border_);
    lstCol1.setTop(border_);
    lstCol2.setTop(border_);
    for (ctl::ListBox* l : {&lstCol1, &lstCol2}) {
        l->onKeyDown = [this](int& k, int& s) { List_KeyDown(k, s); };
        l->onMouseMove = [this, l](int, int, float, float y) { List_MouseMove(*l, y); };
        l->onMouseDown = [this, l](int b, int s, float, float y) { List_MouseDown(*l, b, s, y); };
    }
    lstCol1.onScroll = [this] { List_Scroll(lstCol1, lstCol2); };
    lstCol2.onScroll = [this] { List_Scroll(lstCol2, lstCol1); };
    form.onDeactivate = [this] {
        if (FlagShowList) HideChildForm();
    };
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
    lstCol1.setForeColor(color);
    lstCol2.setForeColor(color);
}

int Window::SizeLists(int widthCol1, int widthCol2, int height) {
    int w1 = std::max(0, widthCol1), w2 = std::max(0, widthCol2);
    lstCol1.setVisible(w1 >= 1);
    lstCol2.setVisible(w2 >= 1);
    // The scroll bar goes with the last visible list, so the rows can always be scrolled.
    lstCol1.setScrollBar(w2 < 1);
    lstCol1.setWidth(w1);
    lstCol2.setLeft(border_ + w1);
    lstCol2.setWidth(w2);
    return ListsHeight(height);
}

int Window::ListsHeight(int height) {
    lstCol1.setHeight(height);
    lstCol2.setHeight(height);
    form.setWidth(WindowWidth());
    form.setHeight(lstCol1.Height() + 2 * border_);
    return lstCol1.Height();
}

int Window::WindowWidth() const {
    int w1 = lstCol1.Visible() ? lstCol1.Width() : 0, w2 = lstCol2.Visible() ? lstCol2.Width() : 0;
    return w1 + w2 + 2 * border_;
}

void Window::Place(int left, int top) {
    form.setLeft(left);
    form.setTop(top);
}

bool Window::Open(int32_t topIndex, int32_t listIndex) {
    TopIndex = topIndex;
    ListIndex = listIndex;
    Quietly([&] {
        lstCol1.setTopIndex(topIndex);
        lstCol2.setTopIndex(topIndex);
        SelectBoth(listIndex);
    });
    FlagShowList = true;
    Selected = false;
    if (!form.Show()) {
        FlagShowList = false;
        return false;
    }
    Modal = form.ShownModal();
    FirstVisible().SetFocus();
    return true;
}

ctl::ListBox& Window::FirstVisible() {
    return lstCol1.Visible() ? lstCol1 : lstCol2;
}

void Window::SelectBoth(int row) {
    lstCol1.setListIndex(row);
    lstCol2.setListIndex(row);
}

void Window::HideChildForm() {
    Quietly([&] {
        if (form.IsShown()) form.Hide();
        FlagShowList = false;
        if (!Selected) SelectBoth(ListIndex);
    });
}

void Window::lstCol1_KeyDown(int& KeyCode, int&) {
    if (!Locked) {
        Quietly([&] {
            int row = MovedRow(KeyCode, lstCol1.ListIndex(), lstCol1.ListCount());
            if (row >= 0) SelectBoth(row);
        });
    }
    KeyCode = 0;
}

void Window::Pick() {
    int row = lstCol1.ListIndex();
    Selected = !Locked && row >= 0;
    if (Selected) ListIndex = row;
    HideChildForm();
}

void Window::Dismiss() {
    Selected = false;
    HideChildForm();
}

void Window::List_KeyDown(int& KeyCode, int& Shift) {
    if (KeyCode == vbKeyReturn) {
        KeyCode = 0;
        Pick();
    } else if (KeyCode == vbKeyEscape) {
        KeyCode = 0;
        Dismiss();
    } else {
        lstCol1_KeyDown(KeyCode, Shift);
    }
}

void Window::List_MouseMove(ctl::ListBox& list, float y) {
    if (!FlagShowList) return;
    Quietly([&] {
        if (Locked) {
            SelectBoth(ListIndex);
            return;
        }
        int row = list.RowAt(y);
        if (row >= 0 && row != lstCol1.ListIndex()) SelectBoth(row);
    });
    if (!FirstVisible().HasFocus()) FirstVisible().SetFocus();
}

void Window::List_MouseDown(ctl::ListBox& list, int button, int shift, float y) {
    if (!FlagShowList || button != ctl::vbLeftButton || shift != 0) return;
    if (Locked) {
        Dismiss();
        return;
    }
    int row = list.RowAt(y);
    if (row >= 0) Quietly([&] { SelectBoth(row); });
    Pick();
}

void Window::List_Scroll(ctl::ListBox& from, ctl::ListBox& to) {
    TopIndex = from.TopIndex();
    if (to.TopIndex() != TopIndex) to.setTopIndex(TopIndex);
}

}  // namespace quorlin
