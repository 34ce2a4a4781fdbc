#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/CheckBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/SpinBar.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/DialogForm.h"
#include "platform/forms/Input.h"
#include "platform/forms/OpenForms.h"
#include "platform/sys/EventLoop.h"

using namespace ctl;

namespace {
// A small dialog: a frame holding a text box and a spin bar, a check box and a cancel button.
struct Dialog {
    DialogForm form;
    Frame frame{form};
    TextBox text{frame};
    SpinBar spin{frame};
    CheckBox check{form};
    CommandButton cancel{form};
    std::vector<std::string> log;
    Dialog() {
        form.setName("frmTest");
        text.setName("txtValue");
        spin.setName("vsValue");
        cancel.setName("btnCancel");
        form.setClientSize(3000, 2000);
        frame.Move(100, 100, 2000, 700);
        text.Move(100, 100, 1200, 300);
        cancel.setCaption("Cancel");
        form.setCancelButton(&cancel);
        cancel.onClick = [this] {
            log.push_back("cancel");
            form.Close();
        };
        check.onClick = [this] { log.push_back("check " + std::to_string(check.Value())); };
        spin.onChange = [this] { log.push_back("spin " + std::to_string(spin.Value())); };
        form.onQueryUnload = [this](bool cmd) {
            log.push_back(cmd ? "unload user" : "unload code");
        };
    }
};
struct HookGuard {
    ~HookGuard() { SetFormShownHook(nullptr); }
};
}  // namespace

TEST(DialogForm, ModalLoopRunsUntilClosedAndTellsWhoClosedIt) {
    Dialog d;
    HookGuard guard;
    std::vector<std::string> shown;
    // What a script host does: act on the dialog from inside its modal loop.
    SetFormShownHook([&](Widget& f) {
        shown.push_back(f.Name());
        RunLater(0, [&] {
            EXPECT_TRUE(d.form.Blocking());
            EXPECT_EQ(FindForm("FRMTEST"), &d.form);
            Widget* t = FindForm("frmTest")->FindChild("txtvalue");
            ASSERT_EQ(t, &d.text);
            SimulateChar(*t, U'4');
            SimulateChar(*t, U'%');
            SimulateKey(*t, "press", 27, 0);              // Esc reaches the form: the cancel button
            if (d.form.IsShown()) d.form.CloseCommand();  // never hang on a failure
        });
    });
    d.form.ShowModal();
    EXPECT_FALSE(d.form.IsShown());
    EXPECT_FALSE(d.form.Blocking());
    EXPECT_EQ(shown, std::vector<std::string>{"frmTest"});
    EXPECT_EQ(d.text.Text(), "4%");
    EXPECT_EQ(d.log, (std::vector<std::string>{"cancel", "unload code"}));

    d.log.clear();
    SetFormShownHook(nullptr);
    d.form.ShowModeless();
    RunLater(0, [&] { d.form.CloseCommand(); });
    d.form.WaitWhileShown([] { return true; });
    EXPECT_EQ(d.log, std::vector<std::string>{"unload user"});
    // A closed dialog is still found by name (its fields outlive the window).
    EXPECT_EQ(FindForm("frmTest"), &d.form);
    EXPECT_EQ(FindForm("frmNone"), nullptr);
}

TEST(DialogForm, PunctuationKeysDoNotPoseAsArrowsOrEditingKeys) {
    Dialog d;
    std::vector<int> downs;
    d.text.onKeyDown = [&](int& code, int&) { downs.push_back(code); };
    for (char32_t c : {U'%', U'\'', U'-', U'.', U'/', U'5'}) SimulateChar(d.text, c);
    // not 37 / 39 (arrows), 45 / 46 (Insert, Delete)
    EXPECT_EQ(downs, (std::vector<int>{'5', 222, 189, 190, 191, '5'}));
    EXPECT_EQ(d.text.Text(), "%'-./5");
}

TEST(DialogForm, ControlsReportChangesByCodeAndByUser) {
    Dialog d;
    d.check.setValue(1);
    d.check.Click();
    d.spin.Spin(+1);
    EXPECT_EQ(d.spin.Value(), 1);
    d.spin.setValue(0);
    d.spin.Spin(-1);
    d.spin.setValue(99999);  // kept within the limits
    EXPECT_EQ(d.spin.Value(), 32000);
    EXPECT_EQ(d.log, (std::vector<std::string>{"check 1", "check 0", "spin 1", "spin 0", "spin -1",
                                               "spin 32000"}));
    d.cancel.setEnabled(false);
    d.cancel.Click();  // a disabled button does nothing
    EXPECT_EQ(d.log.size(), 6u);
    d.text.setText("abcdefghijkl");
    d.text.setMaxLength(10);
    EXPECT_EQ(d.text.MaxLength(), 10);
    d.text.setMaxLength(0);
    EXPECT_EQ(d.text.MaxLength(), 0);
}
