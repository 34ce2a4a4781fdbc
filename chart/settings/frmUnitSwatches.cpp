// The three colour swatches of the settings dialog: grid, background and drawing colour.
#include "chart/settings/frmUnit.h"
#include "chart/ucKarvex.h"
#include "common/bas_DialogColor.h"
#include "common/bas_HandCursor.h"

namespace karvex {

namespace {
const char* const kTitles[] = {"Choose the grid color", "Choose the background color",
                               "Choose the Chart color"};
}

uint32_t frmUnit::chartColor(Swatch s) const {
    switch (s) {
        case Grid:
            return chart_->GridColor();
        case Back:
            return chart_->BackColor();
        default:
            return chart_->ForeColor();
    }
}

void frmUnit::setChartColor(Swatch s, uint32_t color) {
    switch (s) {
        case Grid:
            chart_->setGridColor(color);
            break;
        case Back:
            chart_->setBackColor(color);
            break;
        default:
            chart_->setForeColor(color);
            break;
    }
}

// The swatch shows the colour, its caption in white on dark colours and black on light ones.
void frmUnit::paintSwatch(Swatch s, uint32_t color) {
    ctl::Label& l = *swatches_[s];
    l.setBackColor(color);
    l.setForeColor(bas_DialogColor::IsDarkColor(int32_t(color)) ? 0xFFFFFF : 0);
}

// The colour dialog starts from the chart's own colour; a choice is written to the chart at
// once (Cancel does not take it back).
void frmUnit::chooseColor(Swatch s) {
    if (!chart_) return;
    int32_t initial = int32_t(chartColor(s));
    int32_t chosen = bas_DialogColor::ShowColorDialog(form_.hWnd(), initial, kTitles[s]);
    if (chosen == -1 || !chart_) return;
    swatches_[s]->setBackColor(uint32_t(chosen));
    setChartColor(s, uint32_t(chosen));
    paintSwatch(s, uint32_t(chosen));
}

// The swatch under the mouse gets the hand and an underlined caption; the others lose them.
// Leaving a swatch changes nothing: the last one hovered stays marked.
void frmUnit::hover(Swatch s) {
    for (int i = 0; i < SwatchCount; ++i)
        if (i != s) bas_HandCursor::ResetCursor(*swatches_[size_t(i)]);
    bas_HandCursor::SetHandCursor(*swatches_[s]);
    for (int i = 0; i < SwatchCount; ++i) {
        ctl::Label& l = *swatches_[size_t(i)];
        bool on = i == s;
        ctl::FontPtr f = l.Font() ? l.Font()->clone() : ctl::MakeFont("MS Sans Serif", 8);
        if (f->Underline == on) continue;
        f->Underline = on;
        l.setFont(f);
    }
}

}  // namespace karvex
