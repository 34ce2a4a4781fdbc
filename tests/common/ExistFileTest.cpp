#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/bas_ExistFile.h"
#include "platform/sys/FileSearch.h"

using bas_ExistFile::ExistFile;
namespace fs = std::filesystem;

namespace {
// A fresh folder with one file and one sub-folder, removed afterwards.
struct ExistFileTest : ::testing::Test {
    std::string dir;
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "existfile-XXXXXX").string();
        ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
        dir = tmpl + "/";
        std::ofstream(dir + "Track Map.BMP") << "x";
        fs::create_directory(dir + "pictures");
    }
    void TearDown() override { fs::remove_all(dir); }
};
}  // namespace

TEST_F(ExistFileTest, FilesAnswerTrueFoldersAndMissingFalse) {
    EXPECT_TRUE(ExistFile(dir + "Track Map.BMP"));
    EXPECT_FALSE(ExistFile(dir + "track map.bmp"));  // a plain name must exist as written
    EXPECT_FALSE(ExistFile(dir + "missing.bmp"));
    EXPECT_FALSE(ExistFile(dir + "pictures"));
    EXPECT_FALSE(ExistFile(dir + "pictures/"));
    EXPECT_FALSE(ExistFile(""));
    EXPECT_FALSE(ExistFile("   "));
    EXPECT_FALSE(ExistFile("\""));
    EXPECT_FALSE(ExistFile("/"));
}

TEST_F(ExistFileTest, QuotesAndTrailingSeparator) {
    EXPECT_TRUE(ExistFile("\"" + dir + "Track Map.BMP\""));
    EXPECT_FALSE(ExistFile("\"" + dir + "pictures\"\\"));
    EXPECT_FALSE(ExistFile("\"" + dir + "pictures\\\""));
    EXPECT_TRUE(ExistFile("\"" + dir + "Track Map.BMP"));  // opening quote only
}

TEST_F(ExistFileTest, WildcardsInTheLastComponent) {
    EXPECT_TRUE(ExistFile(dir + "*.bmp"));  // patterns ignore case
    EXPECT_TRUE(ExistFile(dir + "Track?Map.*"));
    EXPECT_TRUE(ExistFile(dir + "*.*"));
    EXPECT_TRUE(ExistFile(dir + "*"));  // the folder matches too, but a file does as well
    EXPECT_FALSE(ExistFile(dir + "*.jpg"));
    EXPECT_FALSE(ExistFile(dir + "pict*"));  // only a folder matches
    EXPECT_FALSE(ExistFile(dir + "nowhere/*.bmp"));
}

TEST_F(ExistFileTest, BackslashSeparatesToo) {
    std::string windowsStyle = dir;
    for (char& c : windowsStyle)
        if (c == '/') c = '\\';
    EXPECT_TRUE(ExistFile(windowsStyle + "Track Map.BMP"));
    EXPECT_TRUE(ExistFile(windowsStyle + "*.bmp"));
}

TEST(WildcardMatch, StarsAndQuestionMarks) {
    EXPECT_TRUE(ctl::WildcardMatch("*.bmp", "a.BMP"));
    EXPECT_TRUE(ctl::WildcardMatch("a?c", "abc"));
    EXPECT_FALSE(ctl::WildcardMatch("a?c", "ac"));
    EXPECT_TRUE(ctl::WildcardMatch("*a*b", "xxaxxb"));
    EXPECT_FALSE(ctl::WildcardMatch("*a*b", "xxaxxbc"));
    // Many stars against a long non-matching name stays quick (no exponential back-tracking).
    EXPECT_FALSE(ctl::WildcardMatch("*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
}
