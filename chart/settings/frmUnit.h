#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "chart/settings/UnitField.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Label.h"
#include "platform/forms/DialogForm.h"

namespace karvex {

class ucKarvex;

// The dialog "Coordinate System settings": edits the ranges, units, date modes, grid and
// colours of one chart and writes them back through the chart's properties. One instance per
// library; its fields outlive the window until the chart has read Cancel.
class frmUnit {
  public:
    frmUnit();
    ~frmUnit();
    frmUnit(const frmUnit&) = delete;
    frmUnit& operator=(const frmUnit&) = delete;

    // The chart whose settings are edited (set before Load).
    ucKarvex* Chart() const { return chart_; }
    void setChart(ucKarvex* chart) { chart_ = chart; }
    // Fills the fields from the chart; the window is then ready to be shown.
    void Load();
    bool IsOpen() const { return isOpen_; }
    // Draw applied the settings (SetScaleUnit then redraws the points too).
    bool Redraw() const { return redraw_; }
    // The user left with Cancel or the close command.
    bool Cancel() const { return cancel_; }

    ctl::DialogForm& window() { return form_; }
    ctl::CommandButton& btnDraw() { return btnDraw_; }
    void setCaption(const std::string& text) { form_.setCaption(text); }
    // Closes the window (from code) and lets go of the chart.
    void Unload();

  private:
    enum Swatch { Grid, Back, Chart_, SwatchCount };
    struct Axis {
        UnitField* min;
        UnitField* max;
        ctl::CheckBox* check;
        bool* isDate;
        std::string* savedMax;
    };
    Axis axis(bool x);
    void layout();
    void wire();
    void LoadSettings();
    void LoadAxis(bool x);
    bool ApplySettings();
    void btnOK_Click();
    void btnDraw_Click();
    void btnCancel_Click();
    void QueryUnload(bool fromCloseCommand);
    void SwitchDateMode(bool x);
    void chooseColor(Swatch s);
    void hover(Swatch s);
    void paintSwatch(Swatch s, uint32_t color);
    uint32_t chartColor(Swatch s) const;
    void setChartColor(Swatch s, uint32_t color);
    bool SetScaleUnitReported();

    ucKarvex* chart_ = nullptr;
    bool XIsDate = false, YIsDate = false;
    bool isOpen_ = false, redraw_ = false, cancel_ = false;
    std::string SavedMaxX, SavedMaxY;

    // Controls in tab order.
    ctl::DialogForm form_;
    UnitField minX_{form_, "MinX", UnitField::Kind::Range, "Min. X"};
    UnitField maxX_{form_, "MaxX", UnitField::Kind::Range, "Max. X"};
    ctl::CheckBox chkDateX_{form_};
    UnitField unitX_{form_, "UnitX", UnitField::Kind::Unit, "Unit X"};
    UnitField minY_{form_, "MinY", UnitField::Kind::Range, "Min. Y"};
    UnitField maxY_{form_, "MaxY", UnitField::Kind::Range, "Max. Y"};
    ctl::CheckBox chkDateY_{form_};
    UnitField unitY_{form_, "UnitY", UnitField::Kind::Unit, "Unit Y"};
    ctl::Frame bottom_{form_};
    ctl::CheckBox chkGrid_{bottom_};
    std::array<std::unique_ptr<ctl::Label>, SwatchCount> swatches_;
    ctl::CommandButton btnOK_{bottom_};
    ctl::CommandButton btnDraw_{bottom_};
    ctl::CommandButton btnCancel_{bottom_};
};

// The library's one settings dialog, made on first use; null until then.
frmUnit& UnitDialog();
frmUnit* UnitDialogIfLoaded();
// Ends the dialog when no chart needs it any more (not while someone waits for it).
void ReleaseUnitDialog();

}  // namespace karvex
