#include <gtest/gtest.h>

#include <memory>

#include "common/bas_DialogFile.h"
#include "common/bas_StringFilePath.h"
#include "platform/sys/Prompts.h"

using namespace bas_DialogFile;

namespace {
// Answers from the queue and keeps the last request, so tests see what the dialog was given.
class RecordingPrompter : public ctl::ScriptedPrompter {
  public:
    std::optional<ctl::OpenFileResult> OpenFile(const ctl::OpenFileRequest& r) override {
        last = r;
        auto answer = ScriptedPrompter::OpenFile(r);
        if (answer && chosenFilter) answer->filterIndex = chosenFilter;
        return answer;
    }
    ctl::OpenFileRequest last;
    int chosenFilter = 0;
};

struct DialogFileTest : ::testing::Test {
    std::shared_ptr<RecordingPrompter> prompts = std::make_shared<RecordingPrompter>();
    std::string fileName, folder;
    int32_t filterIndex = 1;
    void SetUp() override { ctl::SetPrompter(prompts); }
    void TearDown() override { ctl::SetPrompter(std::make_shared<ctl::ScriptedPrompter>()); }
    std::vector<std::string> Show(const std::string& filter, const std::string& title,
                                  bool mustExist, bool multi) {
        return ShowOpenDialog(0, filter, title, fileName, folder, "", mustExist, multi,
                              filterIndex);
    }
};
}  // namespace

TEST_F(DialogFileTest, MissingTitleShowsOpenAndFlagsReachTheDialog) {
    Show("", "#A#O", true, false);
    EXPECT_EQ(prompts->last.title, "Open");
    EXPECT_TRUE(prompts->last.mustExist);
    EXPECT_FALSE(prompts->last.multiSelect);
    Show("", "", false, true);
    EXPECT_EQ(prompts->last.title, "");  // the dialog's own title
    EXPECT_FALSE(prompts->last.mustExist);
    EXPECT_TRUE(prompts->last.multiSelect);
    Show("", "Choose a picture", false, false);
    EXPECT_EQ(prompts->last.title, "Choose a picture");
}

TEST_F(DialogFileTest, FilterFormsBecomeDescriptionPatternPairs) {
    using P = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(FilterPairs("Bitmaps (*.bmp)|*.bmp|All files|*.*"),
              (P{{"Bitmaps (*.bmp)", "*.bmp"}, {"All files", "*.*"}}));
    EXPECT_EQ(FilterPairs("Pictures|*.bmp;*.jpg|"), (P{{"Pictures", "*.bmp;*.jpg"}}));
    EXPECT_EQ(FilterPairs(std::string("Text\0*.txt\0\0", 12)), (P{{"Text", "*.txt"}}));
    EXPECT_EQ(FilterPairs("*.gif"), (P{{"*.gif", "*.gif"}}));
    EXPECT_TRUE(FilterPairs("").empty());
    filterIndex = 2;
    Show("A|*.a|B|*.b", "#A#O", false, false);
    EXPECT_EQ(prompts->last.filters, (P{{"A", "*.a"}, {"B", "*.b"}}));
    EXPECT_EQ(prompts->last.filterIndex, 2);
}

TEST_F(DialogFileTest, CancelReturnsOneEmptyElementAndLeavesArgumentsAlone) {
    fileName = "old.bmp";
    folder = "/pictures/";
    filterIndex = 3;
    prompts->queueOpen(std::nullopt);
    auto result = Show("A|*.a", "#A#O", true, true);
    EXPECT_EQ(result, std::vector<std::string>{""});
    EXPECT_EQ(fileName, "old.bmp");
    EXPECT_EQ(folder, "/pictures/");
    EXPECT_EQ(filterIndex, 3);
    EXPECT_EQ(prompts->last.fileName, "old.bmp");
    EXPECT_EQ(prompts->last.initialFolder, "/pictures/");
}

TEST_F(DialogFileTest, SingleChoiceFillsNameFolderAndFilterIndex) {
    prompts->queueOpen(std::vector<std::string>{"/data/maps/harbour.jpg"});
    prompts->chosenFilter = 2;
    auto result = Show("A|*.a|B|*.b", "#A#O", true, false);
    EXPECT_EQ(result, std::vector<std::string>{"/data/maps/harbour.jpg"});
    EXPECT_EQ(fileName, "harbour.jpg");
    EXPECT_EQ(folder, "/data/maps/");
    EXPECT_EQ(filterIndex, 2);
}

TEST_F(DialogFileTest, MultipleSelectionGivesFullPathsAndOneFileLeavesTheFolderEmpty) {
    prompts->queueOpen(std::vector<std::string>{"/data/a.txt", "/data/b.txt"});
    auto two = Show("", "#A#O", false, true);
    EXPECT_EQ(two, (std::vector<std::string>{"/data/a.txt", "/data/b.txt"}));
    EXPECT_EQ(folder, "/data/");

    folder = "/somewhere/";
    prompts->queueOpen(std::vector<std::string>{"/data/only.txt"});
    auto one = Show("", "#A#O", false, true);
    EXPECT_EQ(one, std::vector<std::string>{"/data/only.txt"});
    EXPECT_EQ(fileName, "only.txt");
    EXPECT_EQ(folder, "");
}

TEST_F(DialogFileTest, LongFileNameIsCutForTheDialog) {
    fileName = std::string(70000, 'n');
    Show("", "#A#O", false, false);
    EXPECT_EQ(prompts->last.fileName.size(), 64000u);
}

TEST(StringFilePath, PathOfFile) {
    using bas_StringFilePath::PathOfFile;
    EXPECT_EQ(PathOfFile("picture.bmp"), "");
    EXPECT_EQ(PathOfFile("/data/maps/x.bmp"), "/data/maps/");
    EXPECT_EQ(PathOfFile("C:\\maps\\x.bmp"), "C:\\maps\\");
    EXPECT_EQ(PathOfFile("\"/data/x y.bmp\""), "/data/");
    EXPECT_EQ(PathOfFile(""), "");
}
