#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "chart/settings/FieldText.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Label.h"
#include "platform/controls/SpinBar.h"
#include "platform/controls/TextBox.h"

namespace karvex {

// One field of the coordinate-system settings dialog: a frame holding its caption, its text
// box and its spin bar, and the editing rules of the field. A range field (a limit of an axis)
// is a number field, or the date mask while its axis is in date mode; a unit field is always a
// number field without sign.
class UnitField {
  public:
    enum class Kind { Range, Unit };
    // `name` is the field's part of its controls' names ("MinX": txtMinX, vsMinX).
    UnitField(ctl::Widget& form, const std::string& name, Kind kind, const std::string& caption);

    ctl::Frame& frame() { return frame_; }
    ctl::Label& caption() { return label_; }
    ctl::TextBox& text() { return text_; }
    ctl::SpinBar& spin() { return spin_; }
    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }

    // Shows a day number in the date mask's form; day() gives it back unrounded (time of day
    // included) while the text is left as shown, else the day the text names, if any.
    void showDay(double serial);
    std::optional<double> day() const;
    // The dialog opens on another chart: no day shown before stands any more.
    void forgetDay() { shownDay_.reset(); }

    // Places the frame (twips, on the form); the contents keep their places in it.
    void place(int left, int top);

    // Set by the dialog: whether the field's axis is in date mode, whether the dialog is
    // being cancelled (nothing is reformatted then), and the field a completed date moves
    // the focus to.
    std::function<bool()> dateMode;
    std::function<bool()> cancelling;
    UnitField* next = nullptr;

  private:
    bool inDateMode() const { return kind_ == Kind::Range && dateMode && dateMode(); }
    FieldText state() const;
    void apply(const FieldText& f);
    void gotFocus();
    void keyPress(int& key);
    void keyDown(int& code);
    void mouseUp();
    void changed();
    void lostFocus();
    void spun();

    std::string name_;
    Kind kind_;
    std::optional<std::pair<std::string, double>> shownDay_;
    ctl::Frame frame_;
    ctl::Label label_;
    ctl::TextBox text_;
    ctl::SpinBar spin_;
};

}  // namespace karvex
