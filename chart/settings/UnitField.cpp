#include "chart/settings/UnitField.h"

#include "chart/KarvexState.h"
#include "chart/settings/DateMask.h"
#include "chart/settings/NumberField.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Locale.h"

namespace karvex {

namespace {
// Layout inside the field's frame (twips).
constexpr int kFrameW = 2895, kFrameH = 705;
constexpr int kTextLeft = 780, kTextW = 1665, kTextH = 315;
constexpr int kSpinW = 240, kSpinH = 495;
}  // namespace

UnitField::UnitField(ctl::Widget& form, const std::string& name, Kind kind,
                     const std::string& caption)
    : name_(name), kind_(kind), frame_(form), label_(frame_), text_(frame_), spin_(frame_) {
    frame_.setName("fra" + name);
    label_.setName("lbl" + name);
    text_.setName("txt" + name);
    spin_.setName("vs" + name);
    frame_.Move(0, 0, kFrameW, kFrameH);
    label_.setCaption(caption);
    label_.setBackStyle(0);
    label_.Move(150, (kFrameH - 255) / 2, kTextLeft - 180, 255);
    text_.setBackColor(0xFFFFFF);  // white like any text cell, not the form's grey
    text_.Move(kTextLeft, (kFrameH - kTextH) / 2, kTextW, kTextH);
    spin_.Move(kTextLeft + kTextW + 60, (kFrameH - kSpinH) / 2, kSpinW, kSpinH);

    text_.onGotFocus = [this] { gotFocus(); };
    text_.onKeyPress = [this](int& key) { keyPress(key); };
    text_.onKeyDown = [this](int& code, int&) { keyDown(code); };
    text_.onMouseUp = [this](int, int, float, float) { mouseUp(); };
    text_.onChange = [this] { changed(); };
    text_.onLostFocus = [this] { lostFocus(); };
    spin_.onChange = [this] { spun(); };
}

void UnitField::place(int left, int top) {
    frame_.Move(left, top, kFrameW, kFrameH);
}

FieldText UnitField::state() const {
    return FieldText{text_.Text(), text_.SelStart(), text_.SelLength()};
}

void UnitField::apply(const FieldText& f) {
    if (text_.Text() != f.text) text_.setText(f.text);
    text_.setSelStart(f.selStart);
    text_.setSelLength(f.selLength);
}

void UnitField::gotFocus() {
    if (inDateMode()) {
        text_.setSelStart(0);
        text_.setSelLength(1);
        return;
    }
    if (auto shown = NumberField::ForEdit(text_.Text(), kind_ == Kind::Unit)) text_.setText(*shown);
    text_.setSelStart(0);
    text_.setSelLength(int(text_.Text().size()));
}

void UnitField::keyPress(int& key) {
    // Tab and Esc move the focus or cancel the dialog; they are no typing.
    if (key == 0 || key == 9 || key == 27) return;
    if (inDateMode()) {
        FieldText f = state();
        DateMask::KeyResult r = DateMask::KeyPress(f, char32_t(key));
        key = 0;
        if (r == DateMask::KeyResult::Rejected) {
            ctl::Beep();
            return;
        }
        apply(f);
        if (r == DateMask::KeyResult::NextField && next) next->text().SetFocus();
        return;
    }
    if (!NumberField::AcceptKey(state(), char32_t(key), kind_ == Kind::Unit,
                                Library().DecimalSeparator)) {
        ctl::Beep();
        key = 0;
    }
}

void UnitField::keyDown(int& code) {
    if (!inDateMode()) return;
    FieldText f = state();
    if (DateMask::KeyDown(f, code)) {
        apply(f);
        code = 0;
    }
}

void UnitField::mouseUp() {
    if (!inDateMode()) return;
    FieldText f = state();
    DateMask::SelectDigit(f);
    apply(f);
}

void UnitField::changed() {
    if (inDateMode() && text_.Text().empty()) text_.setText(DateMask::kEmpty);
}

void UnitField::lostFocus() {
    if (cancelling && cancelling()) return;
    if (dateMode && dateMode()) return;  // a unit field follows its own axis here too
    if (auto shown = NumberField::OnLeave(text_.Text(), kind_ == Kind::Unit)) text_.setText(*shown);
}

void UnitField::showDay(double serial) {
    shownDay_ = {DateMask::FromDay(serial), serial};
    text_.setText(shownDay_->first);
}

std::optional<double> UnitField::day() const {
    // The date the field opened with keeps its time of day while its text stands.
    if (shownDay_ && shownDay_->first == text_.Text()) return shownDay_->second;
    return DateMask::ToDay(text_.Text());
}

void UnitField::spun() {
    int s = spin_.Value();
    if (s == 0) return;
    std::optional<std::string> stepped =
        inDateMode() ? DateMask::Step(text_.Text(), s) : NumberField::Step(text_.Text(), s);
    if (stepped) text_.setText(*stepped);
    if (kind_ == Kind::Unit && ctl::Val(text_.Text()) <= 0) text_.setText("1");
    spin_.setValue(0);  // back to rest; that change steps nothing
}

}  // namespace karvex
