// Switching an axis of the settings dialog between numbers and dates.
#include "chart/KarvexState.h"
#include "chart/settings/DateMask.h"
#include "chart/settings/NumberField.h"
#include "chart/settings/frmUnit.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

namespace karvex {

void frmUnit::SwitchDateMode(bool x) {
    if (Library().Busy) return;  // the dialog is filling itself
    Axis a = axis(x);
    ctl::TextBox& m = a.min->text();
    ctl::TextBox& M = a.max->text();
    // A date the dialog opened with keeps its time of day through the switch.
    double lo = a.min->day().value_or(NumberField::ToNumberValue(m.Text()));
    double hi = a.max->day().value_or(NumberField::ToNumberValue(M.Text()));
    if (a.check->Value()) {
        *a.savedMax = M.Text();
        M.setText(DateMask::kEmpty);
        m.setText(DateMask::kEmpty);
        M.setMaxLength(DateMask::kLength);
        m.setMaxLength(DateMask::kLength);
        if (lo >= 2 && ctl::IsValidDateSerial(lo)) a.min->showDay(lo);
        if (hi >= 2 && ctl::IsValidDateSerial(hi)) {
            // A maximum already past becomes the end of this year.
            if (hi > ctl::Clock::Now())
                a.max->showDay(hi);
            else
                a.max->showDay(ctl::DateSerial(ctl::Clock::CurrentYear(), 12, 31));
        }
    } else {
        M.setMaxLength(0);
        m.setMaxLength(0);
        m.setText("");
        if (lo > 0) m.setText(ctl::NumberToText(lo, 15));
        if (a.max->day()) {
            M.setText(*a.savedMax);
        } else {
            M.setText("");
            if (hi > 0) M.setText(ctl::NumberToText(hi, 15));
        }
    }
    if (form_.IsShown()) m.SetFocus();
}

}  // namespace karvex
