#include <gtest/gtest.h>

#include <memory>

#include "common/bas_DialogColor.h"
#include "platform/sys/Prompts.h"

using namespace bas_DialogColor;

namespace {
// Answers from the queue, keeps the last request and lets the "user" edit custom colours.
class ColorPrompter : public ctl::ScriptedPrompter {
  public:
    std::optional<ctl::ColorResult> ChooseColor(const ctl::ColorRequest& r) override {
        last = r;
        auto answer = ScriptedPrompter::ChooseColor(r);
        if (answer && editCustom) answer->customColors[0] = *editCustom;
        return answer;
    }
    ctl::ColorRequest last;
    std::optional<uint32_t> editCustom;
};

struct DialogColorTest : ::testing::Test {
    std::shared_ptr<ColorPrompter> prompts = std::make_shared<ColorPrompter>();
    void SetUp() override { ctl::SetPrompter(prompts); }
    void TearDown() override { ctl::SetPrompter(std::make_shared<ctl::ScriptedPrompter>()); }
};
}  // namespace

TEST_F(DialogColorTest, TitlesAndResult) {
    prompts->queueColor(0x00FF00);
    EXPECT_EQ(ShowColorDialog(0, 0x0000FF, "#A#O"), 0x00FF00);
    EXPECT_EQ(prompts->last.title, "Set Color");
    EXPECT_EQ(prompts->last.initial, 0x0000FFu);
    ShowColorDialog(0, 0, "Track colour");
    EXPECT_EQ(prompts->last.title, "Track colour");
}

TEST_F(DialogColorTest, CancelGivesMinusOne) {
    prompts->queueColor(std::nullopt);
    EXPECT_EQ(ShowColorDialog(0, 0x123456, "#A#O"), -1);
}

TEST_F(DialogColorTest, SystemColourStartsWithItsLow24Bits) {
    prompts->queueColor(0x000080);
    ShowColorDialog(0, int32_t(0x8000000Fu), "#A#O");
    EXPECT_EQ(prompts->last.initial, 0x00000Fu);
}

TEST_F(DialogColorTest, CustomColoursAreKeptOnOkAndNotOnCancel) {
    prompts->editCustom = 0x00ABCDEF;
    prompts->queueColor(0x000001);
    ShowColorDialog(0, 0, "#A#O");
    EXPECT_EQ(CustomColors()[0], 0x00ABCDEFu);

    prompts->editCustom = 0x00111111;
    prompts->queueColor(std::nullopt);  // cancelled: the user's edits are dropped
    ShowColorDialog(0, 0, "#A#O");
    EXPECT_EQ(CustomColors()[0], 0x00ABCDEFu);

    prompts->editCustom.reset();
    prompts->queueColor(0x000002);
    ShowColorDialog(0, 0, "#A#O");
    EXPECT_EQ(prompts->last.customColors[0], 0x00ABCDEFu);  // the next dialog starts with them
}

TEST(IsDarkColor, Table) {
    struct Case {
        int32_t color;
        bool dark;
    } cases[] = {
        {0x000000, true},  {0xFFFFFF, false}, {0x808080, true},  {0x818181, false},
        {0x00FF80, true},  {0x0000FF, false}, {0x00FF00, false}, {0xFF0000, false},
        {0x00FFFF, false}, {0xFFFF00, false}, {0xFF00FF, false}, {0x010000, true},
        {0x40FFFF, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsDarkColor(c.color), c.dark) << std::hex << c.color;
}
