// The about box: its text, version rule, closing by timer, link hover and link clicks.
#include <gtest/gtest.h>

#include <QTest>

#include "common/bas_EcryptText.h"
#include "common/fabout.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/forms/DialogForm.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"
#include "platform/sys/Screen.h"
#include "platform/win/Shell.h"

namespace {
AboutTexts ChartLike() {
    AboutTexts t;
    t.Title = "Chart";
    t.CopyrightYear = "2026";
    t.Major = 1;
    t.Minor = 1;
    t.Revision = 0;
    t.Separator = " -  version ";
    t.TrailingBlanks = 31;
    return t;
}
AboutTexts ComboLike() {
    AboutTexts t = ChartLike();
    t.Title = "Combo";
    t.CopyrightYear = "2024, 2025, 2026";
    t.Separator = "  \u2013  version ";
    t.RevisionOnlyWhenSet = true;
    t.CentreOnPointer = false;
    t.ModelessAllowed = true;
    return t;
}
const std::string kCopyright = "Copyright © ";
}  // namespace

TEST(AboutTextTest, CommentLinesKeepTheCopyrightLineInPlace) {
    const AboutTexts t = ChartLike();
    const std::string empty = fabout::ComposeText(t, "");
    EXPECT_EQ(empty.front(), '\r');
    EXPECT_NE(empty.find("Chart -  version 1.1.0\r\r\r" + kCopyright + "2026 " +
                         bas_EcryptText::MakerName()),
              std::string::npos);
    EXPECT_NE(fabout::ComposeText(t, "One line").find("One line\r\r\r" + kCopyright),
              std::string::npos);
    EXPECT_NE(fabout::ComposeText(t, "A\rB").find("A\rB\r\r" + kCopyright), std::string::npos);
    EXPECT_NE(fabout::ComposeText(t, "A\rB\rC").find("A\rB\rC\r" + kCopyright), std::string::npos);
    // A comment that starts with a line break is treated as none.
    EXPECT_EQ(fabout::ComposeText(t, "\rhidden").find("hidden"), std::string::npos);
    // The last line holds the blanks the web link lies over.
    const std::string text = fabout::ComposeText(t, "");
    EXPECT_EQ(text.substr(text.rfind('\r') + 1), std::string(31, ' '));
    EXPECT_EQ(fabout::CountCR("a\rb\r\rc"), 3);
    EXPECT_EQ(fabout::CountCR(""), 0);
}

TEST(AboutTextTest, EachLibraryShowsTheRevisionByItsOwnRule) {
    AboutTexts chart = ChartLike(), combo = ComboLike();
    EXPECT_EQ(fabout::VersionText(chart), "1.1.0");
    EXPECT_EQ(fabout::VersionText(combo), "1.1");
    chart.Minor = combo.Minor = 0;
    EXPECT_EQ(fabout::VersionText(chart), "1.0");
    EXPECT_EQ(fabout::VersionText(combo), "1.0");
    chart.Revision = combo.Revision = 3;
    EXPECT_EQ(fabout::VersionText(chart), "1.0.3");
    EXPECT_EQ(fabout::VersionText(combo), "1.0.3");
    EXPECT_NE(fabout::ComposeText(ComboLike(), "").find("Combo  \u2013  version 1.1\r"),
              std::string::npos);
}

class AboutBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prompter = std::make_shared<ctl::ScriptedPrompter>();
        ctl::SetPrompter(prompter);
    }
    void TearDown() override {
        UnloadAboutBox();
        ctl::SetPrompter(nullptr);
        ctl::SetShellHandler(nullptr);
    }
    std::shared_ptr<ctl::ScriptedPrompter> prompter;
};

TEST_F(AboutBoxTest, ReportedWithItsLinksAndABeep) {
    SetAboutTexts(ComboLike());
    fabout& box = AboutBox();
    box.setInterval(1500);
    box.setModeless(true);
    EXPECT_TRUE(box.Loaded());
    const int64_t beeps = ctl::BeepCount();
    ShowAbout(0, "ignored without a picture", 0, 0, nullptr);
    ASSERT_EQ(prompter->records().size(), 1u);
    const ctl::PromptRecord& r = prompter->records()[0];
    EXPECT_EQ(r.kind, "about");
    EXPECT_EQ(r.title, "About");
    EXPECT_EQ(r.text, fabout::ComposeText(ComboLike(), ""));
    ASSERT_EQ(r.links.size(), 2u);
    EXPECT_EQ(r.links[0], fabout::MakerMail());
    EXPECT_EQ(r.links[1], bas_EcryptText::MakerWebAddress());
    EXPECT_EQ(r.interval, 1500);
    EXPECT_TRUE(r.modeless);
    EXPECT_EQ(ctl::BeepCount(), beeps + 1);
    EXPECT_FALSE(box.imgIcon->Picture()->isEmpty());  // the library's own picture
}

TEST_F(AboutBoxTest, ModelessOnlyWhereTheLibraryAllowsIt) {
    SetAboutTexts(ChartLike());
    AboutBox().setModeless(true);
    EXPECT_FALSE(AboutBox().Modeless());
    EXPECT_FALSE(AboutBox().Loaded());
}

TEST_F(AboutBoxTest, TheRealBoxClosesItselfAfterItsInterval) {
    ctl::SetPrompter(nullptr);  // real dialogs
    SetAboutTexts(ChartLike());
    fabout& box = AboutBox();
    box.setInterval(50);
    EXPECT_EQ(box.Interval(), 50);
    box.About("Closing soon");  // modal: returns once the timer has closed it
    EXPECT_FALSE(box.form->IsShown());
    EXPECT_FALSE(box.TimerHide->Enabled());
    EXPECT_EQ(box.form->Caption(), "About");
}

TEST_F(AboutBoxTest, TheComboBoxIsCentredOnTheScreenAndItsCloseClearsLoaded) {
    ctl::SetPrompter(nullptr);
    SetAboutTexts(ComboLike());
    fabout& box = AboutBox();
    const int left = (ctl::Screen::WidthTwips() - box.form->Width()) / 2;
    EXPECT_EQ(box.form->Left(), ctl::Widget::ToPxX(left) * ctl::Widget::TwipsX());
    box.setModeless(true);
    box.About();
    EXPECT_TRUE(box.form->IsShown());
    EXPECT_TRUE(box.Loaded());
    box.btnOK->Click();
    EXPECT_FALSE(box.form->IsShown());
    EXPECT_FALSE(box.Loaded());
}

TEST_F(AboutBoxTest, LinksUnderlineOnHoverAndOpenThroughTheShell) {
    SetAboutTexts(ChartLike());
    fabout& box = AboutBox();
    std::vector<std::string> opened;
    ctl::SetShellHandler([&](const std::string& t) {
        opened.push_back(t);
        return 2;  // a failure is not shown
    });
    box.lblmailto->onMouseMove(0, 0, 10, 10);
    EXPECT_TRUE(box.lblmailto->Font()->Underline);
    EXPECT_EQ(box.lblmailto->MousePointer(), 99);
    box.lblweb->onMouseMove(0, 0, 10, 10);
    EXPECT_TRUE(box.lblweb->Font()->Underline);
    EXPECT_FALSE(box.lblmailto->Font()->Underline);
    EXPECT_EQ(box.lblmailto->MousePointer(), 0);
    box.lblAbout->onMouseMove(0, 0, 10, 10);
    EXPECT_FALSE(box.lblweb->Font()->Underline);
    EXPECT_EQ(box.lblweb->MousePointer(), 99);  // the cursors stay as they are

    box.lblmailto->onMouseDown(1, 0, 5, 5);
    box.lblweb->onMouseDown(1, 0, 5, 5);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "mailto:" + fabout::MakerMail());
    EXPECT_EQ(opened[1], bas_EcryptText::MakerWebAddress());
    EXPECT_TRUE(prompter->records().empty());
}
