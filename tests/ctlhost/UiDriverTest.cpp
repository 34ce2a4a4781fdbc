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

TEST(UiDriver, ClicksMoveTheFocusAndStatesReportThePaintedColour) {
    auto out = RunHost(
        R"(["create", "Karvex.ucKarvex", {"width": 6000, "height": 4000}]
["ondialog", "frmUnit", ["ui", "frmUnit.txtMinX", "focus"], ["ui", "frmUnit.txtMinX", "settext", "1500"], ["ui", "frmUnit.chkGrid", "click"], ["ui", "frmUnit.txtMinX"], ["ui", "frmUnit.chkGrid"], ["ui", "frmUnit.Frame7"], ["ui", "frmUnit.btnOK"], ["ui", "frmUnit.Label1"], ["ui", "frmUnit.Frame1"], ["call", "EditScaleSetting", 0, ""], ["call", "EditScaleSetting", 1, ""], ["ui", "frmUnit.btnCancel", "click"]]
["call", "EditScaleSetting", 0, ""]
["echo", "end"]
)");
    std::string all = Dump(out);
    std::vector<ctl::Json> states, errors;
    for (const auto& j : out) {
        if (const ctl::Json* r = Result(j); r && r->kind == ctl::Json::Object) states.push_back(*r);
        if (ErrorNumber(j)) errors.push_back(j);
    }
    ASSERT_EQ(states.size(), 6u) << all;
    // The click took the focus from the field, which formatted itself on leaving.
    EXPECT_EQ(states[0].find("text")->s, "1,500") << all;
    EXPECT_FALSE(states[0].find("focus")->b) << all;
    EXPECT_TRUE(states[1].find("focus")->b) << all;
    EXPECT_TRUE(states[1].find("checked")->b) << all;
    EXPECT_EQ(states[0].find("backColor")->n, 0xFFFFFF) << all;  // the white text cell
    for (size_t i = 1; i < 6; ++i)  // the grey of the dialog they stand on
        EXPECT_EQ(states[i].find("backColor")->n, 0xC0C0C0) << i << "\n" << all;
    // The dialog in use cannot be opened again, however it is asked for.
    ASSERT_EQ(errors.size(), 2u) << all;
    for (const auto& e : errors) EXPECT_EQ(ErrorNumber(e), 400) << all;
    EXPECT_NE(errors[0].dump().find(R"("Form already displayed")"), std::string::npos) << all;
    EXPECT_NE(errors[1].dump().find("can't show modally"), std::string::npos) << all;
    EXPECT_EQ(out.back().dump(), R"({"echo":"end"})") << all;
}
