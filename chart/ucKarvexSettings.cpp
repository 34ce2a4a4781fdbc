// The chart's side of the coordinate-system settings dialog: opening it, its redraw request
// and unloading it with the chart.
#include "chart/KarvexState.h"
#include "chart/settings/frmUnit.h"
#include "chart/ucKarvex.h"
#include "platform/com/RaisedError.h"

namespace karvex {

namespace {
constexpr const char* kCaption = "Coordinate System settings";
}

void ucKarvex::EditScaleSetting(int16_t Modal, const std::string& Title) {
    if (m_MapStyle == 0) ctl::Raise(1032, "Invalid method if 'MapStyle' = 0");
    frmUnit& dlg = UnitDialog();
    const bool modal = Modal != 0;
    // The one dialog is in use (a second call from inside the first): refused, not re-opened.
    if (dlg.window().IsShown())
        ctl::Raise(400,
                   modal ? "Form already displayed; can't show modally" : "Form already displayed");
    dlg.setChart(this);
    const bool redraw = Visible();
    dlg.btnDraw().setEnabled(redraw);
    dlg.Load();
    if (!Title.empty()) dlg.setCaption(Title + ": " + kCaption);
    const bool onTop = TopmostForDialog(modal);
    dlg.window().setTopmost(onTop);
    if (modal) {
        dlg.window().ShowModal();
    } else {
        dlg.window().ShowModeless();
        dlg.window().WaitWhileShown([&] { return dlg.IsOpen() && !m_FlagExit; });
    }
    // The dialog may have been unloaded meanwhile (the chart ended from inside it).
    frmUnit* after = UnitDialogIfLoaded();
    if (after && after->Chart() == this && !after->Cancel()) {
        ctl::Args args{ctl::Variant(redraw)};
        RaiseEvent("ChangeScaleSetting", args);
    }
}

bool ucKarvex::SettingsRedrawRequested() const {
    frmUnit* dlg = UnitDialogIfLoaded();
    return dlg && dlg->Chart() == this && dlg->Redraw();
}

void ucKarvex::DrawAfterScaleSetting() {
    Draw();
}

void ucKarvex::UnloadDialogs() {
    frmUnit* dlg = UnitDialogIfLoaded();
    if (dlg && dlg->Chart() == this) dlg->Unload();
}

}  // namespace karvex
