#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

TEST(ScriptedPrompter, ABoxOfferingRetryIsGivenUpWhenNobodyCanAnswer) {
    auto p = std::make_shared<ScriptedPrompter>();
    SetPrompter(p);
    std::vector<std::string> told;
    p->onAnswerNotPossible = [&](const std::string& why) { told.push_back(why); };
    // Answered Retry by default a few times in a row, then Cancel (Abort without a Cancel).
    std::vector<int> answers;
    for (int i = 0; i <= ScriptedPrompter::kMaxDefaultRetries; ++i)
        answers.push_back(MsgBox("Locked", MsgIcon::Critical, MsgButtons::RetryCancel));
    EXPECT_EQ(answers.back(), vbCancel);
    EXPECT_EQ(std::count(answers.begin(), answers.end(), vbRetry),
              ScriptedPrompter::kMaxDefaultRetries);
    // A queued answer is the script's own: it counts afresh.
    p->queueMessageBox(vbRetry);
    EXPECT_EQ(MsgBox("Locked", MsgIcon::Critical, MsgButtons::RetryCancel), vbRetry);
    EXPECT_EQ(MsgBox("Locked", MsgIcon::Critical, MsgButtons::RetryCancel), vbRetry);
    ASSERT_EQ(told.size(), 1u);

    // With no more lines to read, the first such box is given up; other boxes keep their
    // default, and a queued answer still counts.
    p->setInputEnded(true);
    EXPECT_EQ(MsgBox("Disk", MsgIcon::Critical, MsgButtons::AbortRetryIgnore, 2), vbAbort);
    EXPECT_EQ(MsgBox("Keep?", MsgIcon::Question, MsgButtons::YesNo), vbYes);
    p->queueMessageBox(vbRetry);
    EXPECT_EQ(MsgBox("Locked", MsgIcon::Critical, MsgButtons::RetryCancel), vbRetry);
    EXPECT_EQ(told.size(), 2u);
    SetPrompter(nullptr);
}
