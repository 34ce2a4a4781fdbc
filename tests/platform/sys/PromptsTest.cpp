#include <gtest/gtest.h>

#include "platform/sys/Prompts.h"

using namespace ctl;

TEST(ScriptedPrompter, AnswersFromQueueThenDefaultsAndRecordsEverything) {
    auto p = std::make_shared<ScriptedPrompter>();
    SetPrompter(p);
    p->queueMessageBox(vbYes);
    EXPECT_EQ(MsgBox("Delete?", MsgIcon::Question, MsgButtons::YesNo, 2, "Chart"), vbYes);
    // nothing queued: the default button answers
    EXPECT_EQ(MsgBox("Again?", MsgIcon::Question, MsgButtons::YesNo, 2, "Chart"), vbNo);
    EXPECT_EQ(MsgBox("Fine", MsgIcon::Critical), vbOK);
    p->queueInput(std::string("Track 1"));
    EXPECT_EQ(Prompts().InputBox({"Name?", "New", ""}), std::optional<std::string>("Track 1"));
    EXPECT_EQ(Prompts().InputBox({"Name?", "New", ""}), std::nullopt);
    p->queueOpen(std::vector<std::string>{"/tmp/a.bmp"});
    auto open = Prompts().OpenFile({});
    ASSERT_TRUE(open);
    EXPECT_EQ(open->paths.at(0), "/tmp/a.bmp");
    EXPECT_FALSE(Prompts().ChooseColor({}));

    const auto& r = p->records();
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0].text, "Delete?");
    EXPECT_EQ(r[0].icon, MsgIcon::Question);
    EXPECT_EQ(r[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(r[0].defaultButton, 2);
    EXPECT_EQ(r[0].title, "Chart");
    EXPECT_EQ(r[1].answer, "7");
    EXPECT_EQ(r[3].kind, "input");
    EXPECT_EQ(r[6].kind, "color");
    SetPrompter(nullptr);
}
