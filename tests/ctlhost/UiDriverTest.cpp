#include <string>

#include "HostRunner.h"

namespace {
const ctl::Json* Result(const ctl::Json& j) {
    return j.find("result");
}
}  // namespace

TEST(UiDriver, ReadsChildStateAndRefusesWhatItCannotFind) {
    auto out = RunHost(
        "[\"create\", \"Karvex.ucKarvex\", {\"width\": 4800, \"height\": 3000}]\n"
        "[\"ondialog\", \"frmNever\", [\"echo\", \"never shown\"]]\n"
        "[\"ui\", \"pic_main\"]\n"
        "[\"ui\", \"PIC_MAIN\", \"spin\", 1]\n"
        "[\"ui\", \"picNothing\"]\n"
        "[\"ui\", \"frmNone.txtMinX\", \"click\"]\n"
        "[\"ui\", \"pic_main\", \"wave\"]\n"
        "[\"snapshot\", \"/tmp/none.png\", \"frmNone\"]\n"
        "[\"echo\", \"end\"]\n");
    std::string all = Dump(out);
    ASSERT_EQ(out.size(), 8u) << all;
    const ctl::Json* state = Result(out[1]);
    ASSERT_TRUE(state && state->kind == ctl::Json::Object) << all;
    EXPECT_EQ(state->find("width")->n, 4800) << all;
    EXPECT_EQ(state->find("height")->n, 3000) << all;
    EXPECT_EQ(state->find("left")->n, 0) << all;
    EXPECT_TRUE(state->find("visible")->b) << all;
    EXPECT_EQ(state->find("text"), nullptr);  // a picture box holds no text
    for (size_t i = 2; i < 7; ++i) EXPECT_EQ(ErrorNumber(out[i]), 5) << all;
    EXPECT_NE(out[3].dump().find("picNothing"), std::string::npos) << all;
    EXPECT_NE(out[4].dump().find("No form named frmNone"), std::string::npos) << all;
    EXPECT_EQ(out[7].dump(), R"({"echo":"end"})");  // the queued commands never ran
}
