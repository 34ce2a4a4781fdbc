// The coordinate-system settings dialog driven as a user would, from inside its modal loop.
#include <algorithm>
#include <functional>
#include <string>

#include "ChartFixture.h"
#include "TestSupport.h"
#include "chart/settings/frmUnit.h"
#include "platform/com/PropertyBag.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Label.h"
#include "platform/controls/SpinBar.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/Input.h"
#include "platform/sys/EventLoop.h"

using namespace ctl;
using karvex::UnitDialog;

namespace {
class SettingsDialogTest : public ChartTest {
  protected:
    template <class T = Widget>
    T& Ctl(const std::string& name) {
        T* w = dynamic_cast<T*>(UnitDialog().window().FindChild(name));
        EXPECT_TRUE(w) << name;
        return *w;
    }
    std::string Text(const std::string& name) { return Ctl<TextBox>(name).Text(); }
    void Type(const std::string& name, const std::u32string& chars) {
        for (char32_t c : chars) SimulateChar(Ctl(name), c);
    }
    // Opens the dialog and runs `user` inside its modal loop.
    void Edit(std::function<void()> user, int16_t modal = 1) {
        RunLater(0, [user] {
            user();
            // A test that failed to close it must not hang in the modal loop.
            if (auto* d = karvex::UnitDialogIfLoaded(); d && d->window().IsShown())
                d->window().CloseCommand();
        });
        chart->EditScaleSetting(modal, "");
    }
    // A chart loaded with values a host stored (fractions survive storing).
    void LoadStored() {
        PropertyBag bag;
        bag.WriteProperty("MinX", 0.25f, 0.f);
        bag.WriteProperty("MaxX", 1234.f, 100.f);
        bag.WriteProperty("MinY", -0.5f, 0.f);
        bag.WriteProperty("MaxY", 99.75f, 100.f);
        bag.WriteProperty("UnitX", 3, 10);
        bag.WriteProperty("GridColor", int32_t(0x808080), int32_t(0));
        Load(bag);
        chart->setVisible(true);  // a visible chart: Draw is offered
    }
    std::vector<float> Settings() {
        return {chart->MinX(),
                chart->MaxX(),
                chart->MinY(),
                chart->MaxY(),
                float(chart->UnitX()),
                float(chart->UnitY()),
                float(chart->GridColor()),
                float(chart->BackColor()),
                float(chart->ForeColor()),
                float(chart->XAsDate()),
                float(chart->ViewGrid())};
    }
};
}  // namespace

TEST_F(SettingsDialogTest, OpeningAndOkNeverChangeASetting) {
    LoadStored();
    const auto before = Settings();
    Edit([&] {
        EXPECT_EQ(UnitDialog().window().Caption(), "Coordinate System settings");
        EXPECT_EQ(Text("txtMinX"), "0.25");
        EXPECT_EQ(Text("txtMaxX"), "1,234");
        EXPECT_EQ(Text("txtMinY"), "-0.5");
        EXPECT_EQ(Text("txtMaxY"), "99.75");
        EXPECT_EQ(Ctl<Label>("lblGrid").Caption(), "axes");
        EXPECT_EQ(Ctl<Label>("lblGrid").ForeColor(), 0xFFFFFFu);  // white on dark grey
        EXPECT_EQ(Ctl<Label>("lblBack").ForeColor(), 0u);
        // Tab through every field: each one shows its value for editing, then formats it.
        for (const char* f : {"txtMinX", "txtMaxX", "txtUnitX", "txtMinY", "txtMaxY", "txtUnitY"})
            Ctl(f).SetFocus();
        Ctl("chkGrid").SetFocus();
        EXPECT_EQ(Text("txtMaxX"), "1,234");
        EXPECT_EQ(Text("txtMinX"), "0.25");
        Ctl<CommandButton>("btnOK").Click();
    });
    EXPECT_EQ(Settings(), before);
    EXPECT_FALSE(UnitDialog().Cancel());
    EXPECT_FALSE(UnitDialog().IsOpen());
    // Draw was enabled (the chart is shown): OK tells the host a redraw is due.
    EXPECT_EQ(site.events.back(), "ChangeScaleSetting");
}

TEST_F(SettingsDialogTest, DrawThenCancelKeepsTheDrawnSettings) {
    LoadStored();
    bool lastRedraw = true;
    site.onEvent = [&](const EventInfo& e, Args& a) {
        if (e.name == "ChangeScaleSetting") lastRedraw = a[0].toBool();
    };
    Edit([&] {
        Ctl<TextBox>("txtUnitX").setText("5");
        Ctl<CheckBox>("chkGrid").Click();
        EXPECT_EQ(Ctl<Label>("lblGrid").Caption(), "grid");
        Ctl<CommandButton>("btnDraw").Click();
        EXPECT_TRUE(Ctl<CommandButton>("btnDraw").Enabled());
        EXPECT_EQ(Ctl<CommandButton>("btnCancel").Caption(), "Close");
        SimulateKey(Ctl("txtMinX"), "press", 27, 0);  // Esc: the cancel button
    });
    EXPECT_TRUE(UnitDialog().Cancel());
    EXPECT_EQ(chart->UnitX(), 5);
    EXPECT_TRUE(chart->ViewGrid());
    EXPECT_FALSE(lastRedraw);  // only SetScaleUnit's own notice; Cancel adds none
    EXPECT_EQ(std::count(site.events.begin(), site.events.end(), "ChangeScaleSetting"), 1);
}

TEST_F(SettingsDialogTest, BadDatesAreReportedOneAtATimeAndNothingIsWritten) {
    LoadStored();
    Edit([&] {
        Ctl<CheckBox>("chkDateX").Click();
        Ctl<CheckBox>("chkDateY").Click();
        EXPECT_EQ(Ctl<TextBox>("txtMinX").MaxLength(), 10);
        EXPECT_EQ(Text("txtMinX"), "__/__/____");  // 0.25 is no day
        Ctl<TextBox>("txtMinX").setText("24/01/1900");
        Ctl<TextBox>("txtMaxX").setText("12");
        Ctl<TextBox>("txtMinY").setText("");  // the mask comes back
        EXPECT_EQ(Text("txtMinY"), "__/__/____");
        Ctl<CommandButton>("btnOK").Click();
        EXPECT_EQ(Text("txtMaxX"), "__/__/____");  // no "/" in it: cleared, the mask back
        EXPECT_TRUE(Ctl("txtMaxX").HasFocus());
        Ctl<CommandButton>("btnCancel").Click();
    });
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text, "Invalid Date.");
    EXPECT_EQ(prompter->records()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_EQ(chart->MinX(), 0.25f);
}

TEST_F(SettingsDialogTest, DateModeConvertsTheRangeAndTypesOverTheMask) {
    Clock::SetNow(DateSerial(2026, 6, 15));
    Create();
    chart->setMinX(Variant(0));
    chart->setMaxX(Variant(1));
    Edit([&] {
        Ctl<CheckBox>("chkDateX").Click();
        EXPECT_EQ(Text("txtMinX"), "__/__/____");  // values below 2 are no dates
        EXPECT_EQ(Text("txtMaxX"), "__/__/____");
        Ctl<TextBox>("txtMinX").setSelStart(0);  // as a click on the first digit
        Ctl<TextBox>("txtMinX").setSelLength(1);
        Type("txtMinX", U"3112202x0");  // the letter beeps, the last digit completes it
        EXPECT_EQ(Text("txtMinX"), "31/12/2020");
        Ctl<SpinBar>("vsMinX").Spin(+1);
        EXPECT_EQ(Text("txtMinX"), "01/01/2021");
        EXPECT_EQ(Ctl<SpinBar>("vsMinX").Value(), 0);
        Ctl<TextBox>("txtMaxX").setText("01/02/2020");
        Ctl<CheckBox>("chkDateX").Click();         // back to numbers
        EXPECT_EQ(Text("txtMaxX"), "1");           // the text from before ticking
        EXPECT_EQ(Text("txtMinX"), "44197");       // the minimum shows its day number
        Ctl<TextBox>("txtMaxX").setText("43000");  // a day in 2017, before today
        Ctl<CheckBox>("chkDateX").Click();
        EXPECT_EQ(Text("txtMaxX"), "31/12/2026");  // past already: the end of this year
        EXPECT_EQ(Text("txtMinX"), "01/01/2021");
        Ctl<TextBox>("txtUnitX").setText("-3");
        Ctl<CommandButton>("btnOK").Click();
    });
    EXPECT_TRUE(chart->XAsDate());
    EXPECT_EQ(chart->MinX(), float(DateSerial(2021, 1, 1)));
    EXPECT_EQ(chart->UnitX(), 1);  // "-3" replaced by "1"
    EXPECT_GE(BeepCount(), 1);
}

TEST_F(SettingsDialogTest, ColourChoicesAreWrittenAtOnceAndSurviveCancel) {
    Create();
    prompter->queueColor(0x0000FF);
    prompter->queueColor(std::nullopt);
    Edit([&] {
        Ctl("lblChart").onMouseMove(0, 0, 10, 10);
        EXPECT_TRUE(Ctl("lblChart").Font()->Underline);
        SimulateMouse(Ctl("lblBack"), "move", 0, 0, 10, 10);
        EXPECT_FALSE(Ctl("lblChart").Font()->Underline);
        EXPECT_TRUE(Ctl("lblBack").Font()->Underline);
        EXPECT_EQ(Ctl("lblBack").MousePointer(), 99);
        SimulateMouse(Ctl("lblBack"), "down", 1, 0, 10, 10);
        SimulateMouse(Ctl("lblBack"), "up", 1, 0, 10, 10);
        EXPECT_EQ(Ctl("lblBack").BackColor(), 0x0000FFu);
        EXPECT_EQ(Ctl("lblBack").ForeColor(), 0u);          // pure red takes black text
        SimulateMouse(Ctl("lblGrid"), "up", 1, 0, 10, 10);  // cancelled: nothing changes
        UnitDialog().window().CloseCommand();
    });
    EXPECT_EQ(chart->BackColor(), 0x0000FFu);
    EXPECT_TRUE(UnitDialog().Cancel());
    ASSERT_EQ(prompter->records().size(), 2u);
    EXPECT_EQ(prompter->records()[0].title, "Choose the background color");
    EXPECT_EQ(prompter->records()[1].title, "Choose the grid color");
}

TEST_F(SettingsDialogTest, ModelessDialogWaitsAndMapModeRefuses) {
    Create();
    Edit([&] { Ctl<CommandButton>("btnOK").Click(); }, 0);
    EXPECT_FALSE(UnitDialog().window().IsShown());
    EXPECT_EQ(site.events.back(), "ChangeScaleSetting");
    chart->setMapStyle(0);
    std::string text;
    EXPECT_EQ(ErrorOf([&] { chart->EditScaleSetting(1, ""); }, &text), 1032);
    EXPECT_EQ(text, "Invalid method if 'MapStyle' = 0");
}

TEST_F(SettingsDialogTest, DateAxisWithoutDatesOpensAsNumbersAndOkOnHiddenChartOnlyWrites) {
    PropertyBag bag;
    bag.WriteProperty("XAsDate", true, false);
    bag.WriteProperty("MinX", 1e20f, 0.f);  // no day can be that far away
    Load(bag);
    ASSERT_TRUE(chart->XAsDate());
    chart->pic_main->Cls();
    const size_t opsBefore = chart->pic_main->ops().size();
    Edit([&] {
        EXPECT_EQ(Ctl<CheckBox>("chkDateX").Value(), 0);
        EXPECT_FALSE(Ctl<CommandButton>("btnDraw").Enabled());  // the chart is not shown
        Ctl<CommandButton>("btnOK").Click();
    });
    EXPECT_FALSE(chart->XAsDate());
    EXPECT_EQ(chart->MinX(), 1e20f);
    EXPECT_EQ(chart->pic_main->ops().size(), opsBefore);  // nothing drawn: no SetScaleUnit
}
