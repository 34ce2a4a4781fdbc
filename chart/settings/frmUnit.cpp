#include "chart/settings/frmUnit.h"

#include <cmath>
#include <limits>
#include <utility>

#include "chart/KarvexState.h"
#include "chart/settings/NumberField.h"
#include "chart/ucKarvex.h"
#include "common/bas_DialogColor.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Locale.h"
#include "platform/sys/Prompts.h"

namespace karvex {

namespace {
constexpr const char* kCaption = "Coordinate System settings";

// Sets the library's Busy flag for a scope: the check boxes' click handling and the charts'
// resize handling stand still meanwhile.
struct Busy {
    Busy() { Library().Busy = true; }
    ~Busy() { Library().Busy = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

// Runs one step of filling the dialog; a failure is ignored and the next step runs.
template <class Fn>
void Step(Fn fn) {
    try {
        fn();
    } catch (const std::exception&) {
    }
}

// What applying writes to a range limit: the day of a date field (never read under the
// user's locale: the field has one form of its own), the number a number field holds (one
// beyond single precision is refused by the chart as an overflow), else the text as it stands
// for the chart to judge.
ctl::Variant RangeValue(UnitField& f, bool asDate) {
    if (asDate) return ctl::Variant::Date(*f.day());
    const std::string& text = f.text().Text();
    double d = 0;
    switch (ctl::ReadLocaleNumber(text, d)) {
        case ctl::NumberReading::Number:
            return ctl::Variant(d);
        case ctl::NumberReading::TooLarge:
            return ctl::Variant(std::numeric_limits<double>::infinity());
        case ctl::NumberReading::NotANumber:
            break;
    }
    return ctl::Variant(text);
}

// Released with the last chart; never left to static destruction, which may come after the
// toolkit has gone.
frmUnit*& Instance() {
    static frmUnit* instance = nullptr;
    return instance;
}
}  // namespace

frmUnit& UnitDialog() {
    frmUnit*& i = Instance();
    if (!i) i = new frmUnit();
    return *i;
}

frmUnit* UnitDialogIfLoaded() {
    return Instance();
}

void ReleaseUnitDialog() {
    frmUnit*& i = Instance();
    if (!i) return;
    if (i->window().Blocking()) {
        i->Unload();  // its modal loop ends; the instance stays for the caller still inside it
        return;
    }
    delete std::exchange(i, nullptr);
}

frmUnit::frmUnit() {
    for (auto& s : swatches_) s = std::make_unique<ctl::Label>(bottom_);
    layout();
    wire();
}

frmUnit::~frmUnit() = default;

void frmUnit::layout() {
    form_.setName("frmUnit");
    form_.setCaption(kCaption);
    form_.setFont(ctl::MakeFont("Arial", 8));
    form_.setClientSize(6900, 3585);
    form_.setCancelButton(&btnCancel_);

    const char* frames[] = {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6"};
    const char* labels[] = {"Label2", "Label1", "Label3", "Label5", "Label6", "Label4"};
    UnitField* fields[] = {&minX_, &maxX_, &unitX_, &minY_, &maxY_, &unitY_};
    const int tops[] = {90, 900, 1860};
    auto fieldFont = ctl::MakeFont("MS Sans Serif", 8);
    for (int i = 0; i < 6; ++i) {
        UnitField& f = *fields[i];
        f.frame().setName(frames[i]);
        f.caption().setName(labels[i]);
        f.caption().setFont(fieldFont);
        f.text().setFont(fieldFont);
        f.place(i < 3 ? 180 : 3810, tops[i % 3]);
    }
    chkDateX_.setName("chkDateX");
    chkDateY_.setName("chkDateY");
    for (auto* c : {&chkDateX_, &chkDateY_}) {
        c->setCaption("calc value as date");
        c->setFont(fieldFont);
    }
    chkDateX_.Move(300, 1620, 2600, 240);
    chkDateY_.Move(3930, 1620, 2600, 240);

    bottom_.setName("Frame7");
    bottom_.Move(180, 2700, 6555, 705);
    chkGrid_.setName("chkGrid");
    chkGrid_.setCaption("View grid");
    chkGrid_.setFont(fieldFont);
    chkGrid_.Move(120, 225, 1080, 255);
    const char* swatchNames[] = {"lblGrid", "lblBack", "lblChart"};
    const char* swatchCaptions[] = {"axes", "back", "chart"};
    for (int i = 0; i < SwatchCount; ++i) {
        ctl::Label& l = *swatches_[size_t(i)];
        l.setName(swatchNames[i]);
        l.setCaption(swatchCaptions[i]);
        l.setFont(ctl::MakeFont("MS Sans Serif", 8));
        l.setAlignment(2);
        l.setBorderStyle(1);
        l.setBackStyle(1);
        l.Move(1290 + 750 * i, 210, 645, 285);
    }
    btnOK_.setName("btnOK");
    btnOK_.setCaption("OK");
    btnDraw_.setName("btnDraw");
    btnDraw_.setCaption("Draw");
    btnDraw_.setEnabled(false);  // only a visible chart can be redrawn
    btnCancel_.setName("btnCancel");
    btnCancel_.setCaption("Cancel");
    int left = 3540;
    for (auto* b : {&btnOK_, &btnDraw_, &btnCancel_}) {
        b->Move(left, 135, 885, 435);
        left += 1020;
    }
}

void frmUnit::wire() {
    for (bool x : {true, false}) {
        Axis a = axis(x);
        for (UnitField* f : {a.min, a.max, x ? &unitX_ : &unitY_}) {
            f->dateMode = [check = a.check] { return check->Value() != 0; };
            f->cancelling = [this] { return cancel_; };
        }
        a.min->next = a.max;
        a.max->next = x ? &unitX_ : &unitY_;
        a.check->onClick = [this, x] { SwitchDateMode(x); };
    }
    chkGrid_.onClick = [this] { swatches_[Grid]->setCaption(chkGrid_.Value() ? "grid" : "axes"); };
    for (int i = 0; i < SwatchCount; ++i) {
        auto s = Swatch(i);
        swatches_[size_t(i)]->onClick = [this, s] { chooseColor(s); };
        swatches_[size_t(i)]->onMouseMove = [this, s](int, int, float, float) { hover(s); };
    }
    btnOK_.onClick = [this] { btnOK_Click(); };
    btnDraw_.onClick = [this] { btnDraw_Click(); };
    btnCancel_.onClick = [this] { btnCancel_Click(); };
    form_.onQueryUnload = [this](bool fromCloseCommand) { QueryUnload(fromCloseCommand); };
}

frmUnit::Axis frmUnit::axis(bool x) {
    if (x) return {&minX_, &maxX_, &chkDateX_, &XIsDate, &SavedMaxX};
    return {&minY_, &maxY_, &chkDateY_, &YIsDate, &SavedMaxY};
}

// ---- loading ---------------------------------------------------------------------------------

void frmUnit::Load() {
    // The host may have changed the regional settings since the chart started.
    Library().DecimalSeparator = DetectDecimalSeparator();
    form_.setCaption(kCaption);
    btnCancel_.setCaption("Cancel");
    if (chart_) {
        XIsDate = chart_->XAsDate();
        YIsDate = chart_->YAsDate();
        LoadSettings();
    }
    cancel_ = false;
    redraw_ = false;
    isOpen_ = true;
}

void frmUnit::LoadSettings() {
    Busy busy;
    ucKarvex& c = *chart_;
    Step([&] { LoadAxis(true); });
    Step([&] { LoadAxis(false); });
    Step([&] { unitX_.text().setText(std::to_string(c.UnitX())); });
    Step([&] { unitY_.text().setText(std::to_string(c.UnitY())); });
    Step([&] { chkGrid_.setValue(c.ViewGrid() ? 1 : 0); });
    Step([&] {
        paintSwatch(Grid, c.GridColor());
        swatches_[Grid]->setCaption(c.ViewGrid() ? "grid" : "axes");
    });
    Step([&] { paintSwatch(Back, c.BackColor()); });
    Step([&] { paintSwatch(Chart_, c.ForeColor()); });
}

void frmUnit::LoadAxis(bool x) {
    Axis a = axis(x);
    ucKarvex& c = *chart_;
    float lo = x ? c.MinX() : c.MinY();
    float hi = x ? c.MaxX() : c.MaxY();
    // A field that opens in date mode keeps no length limit; ticking the box sets it.
    a.min->text().setMaxLength(0);
    a.max->text().setMaxLength(0);
    a.min->forgetDay();
    a.max->forgetDay();
    // What unticking the box restores to the maximum when the box was never ticked here.
    *a.savedMax = NumberField::ForDisplay(hi);
    if (*a.isDate) {
        if (ctl::IsValidDateSerial(lo) && ctl::IsValidDateSerial(hi)) {
            a.min->showDay(lo);
            a.max->showDay(hi);
            a.check->setValue(1);
            return;
        }
        *a.isDate = false;  // limits that are no dates show as numbers
    }
    a.check->setValue(0);
    a.min->text().setText(NumberField::ForDisplay(lo));
    a.max->text().setText(NumberField::ForDisplay(hi));
}

// ---- applying --------------------------------------------------------------------------------

bool frmUnit::ApplySettings() {
    ucKarvex& c = *chart_;
    try {
        UnitField* bad = nullptr;
        for (bool x : {true, false}) {
            Axis a = axis(x);
            *a.isDate = a.check->Value() != 0;
            if (!*a.isDate) continue;
            for (UnitField* f : {a.min, a.max})
                if (!bad && !f->day()) bad = f;
        }
        if (bad) {
            ctl::MsgBox("Invalid Date.", ctl::MsgIcon::Exclamation, ctl::MsgButtons::OK, 1,
                        Library().LibraryTitle);
            if (bad->text().Text().find('/') == std::string::npos) bad->text().setText("");
            bad->text().SetFocus();
            return false;
        }
        c.setMinX(RangeValue(minX_, XIsDate));
        c.setMaxX(RangeValue(maxX_, XIsDate));
        c.setMinY(RangeValue(minY_, YIsDate));
        c.setMaxY(RangeValue(maxY_, YIsDate));
        for (UnitField* u : {&unitX_, &unitY_}) {
            if (ctl::Val(u->text().Text()) <= 0) u->text().setText("1");
            int32_t v = ctl::Variant(u->text().Text()).toInt32();
            if (u == &unitX_)
                c.setUnitX(v);
            else
                c.setUnitY(v);
        }
        c.setViewGrid(chkGrid_.Value() != 0);
        c.setGridColor(swatches_[Grid]->BackColor());
        c.setBackColor(swatches_[Back]->BackColor());
        c.setForeColor(swatches_[Chart_]->BackColor());
        c.setXAsDate(XIsDate);
        c.setYAsDate(YIsDate);
        return true;
    } catch (const ctl::RaisedError& e) {
        ctl::MsgBox(e.description(), ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                    Library().LibraryTitle);
    } catch (const std::exception& e) {
        ctl::MsgBox(e.what(), ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                    Library().LibraryTitle);
    }
    return false;
}

bool frmUnit::SetScaleUnitReported() {
    if (!chart_) return false;
    bool ok = chart_->SetScaleUnit();
    if (!ok && chart_ && chart_->ControlError().empty())
        ctl::MsgBox("Invalid coordinate values", ctl::MsgIcon::Critical, ctl::MsgButtons::OK, 1,
                    Library().LibraryTitle);
    return ok;
}

// ---- buttons and closing ---------------------------------------------------------------------

void frmUnit::btnOK_Click() {
    if (!chart_ || !ApplySettings()) return;
    redraw_ = false;
    if (btnDraw_.Enabled()) {
        form_.Close();
        SetScaleUnitReported();
    } else {
        form_.Close();
    }
}

void frmUnit::btnDraw_Click() {
    if (!chart_) return;
    btnDraw_.setEnabled(false);  // no second press while this one runs
    if (ApplySettings()) {
        redraw_ = true;
        btnCancel_.setCaption("Close");
        SetScaleUnitReported();
    }
    btnDraw_.setEnabled(true);
}

void frmUnit::btnCancel_Click() {
    cancel_ = true;
    form_.Close();
}

void frmUnit::QueryUnload(bool fromCloseCommand) {
    if (fromCloseCommand) cancel_ = true;
    redraw_ = false;
    isOpen_ = false;
}

void frmUnit::Unload() {
    form_.Close();
    isOpen_ = false;
    chart_ = nullptr;
}

}  // namespace karvex
