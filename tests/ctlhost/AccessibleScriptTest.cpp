// The "accessible" command: the tree a screen reader meets, as scripts read it.
#include <string>

#include "HostRunner.h"

namespace {
// The result of the n-th {"result": {...}} line that holds a role.
const ctl::Json* Tree(const std::vector<ctl::Json>& out, size_t n) {
    for (const auto& j : out)
        if (const ctl::Json* r = j.find("result"))
            if (r->kind == ctl::Json::Object && r->find("role") && n-- == 0) return r;
    return nullptr;
}
const ctl::Json& Last(const ctl::Json& tree) {
    return tree.find("children")->items.back();
}
}  // namespace

TEST(AccessibleScript, ReadsTheChartAndTheComboOfAFormByName) {
    auto out = RunHost(
        "[\"accessible\"]\n"
        "[\"create\", \"Karvex.ucKarvex\", {\"name\": \"rain\", \"form\": \"F\", \"width\": "
        "6000, \"height\": 4000}]\n"
        "[\"let\", \"MaxY\", 50]\n[\"call\", \"SetScaleUnit\"]\n"
        "[\"call\", \"Point_Add\", 10, 20]\n[\"call\", \"Point_Add\", 20, 12.5]\n"
        "[\"call\", \"Draw\"]\n"
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"name\": \"pick\", \"form\": \"F\", \"top\": "
        "4500}]\n"
        "[\"call\", \"AddItem\", \"Italy\", \"Rome\"]\n[\"call\", \"AddItem\", \"France\", "
        "\"Paris\"]\n"
        "[\"let\", \"ListIndex\", 1]\n"
        "[\"accessible\", \"F.rain\"]\n"
        "[\"accessible\"]\n"
        "[\"accessible\", \"G.rain\"]\n"
        "[\"accessible\", \"txtCol2\"]\n");
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(ErrorNumber(out.front()), 91);  // no control yet

    const ctl::Json* chart = Tree(out, 0);
    ASSERT_TRUE(chart) << Dump(out);
    EXPECT_EQ(chart->find("role")->s, "chart");
    EXPECT_EQ(chart->find("name")->s, "rain");
    EXPECT_EQ(chart->find("description")->s, "Scale System, X 0 to 100, Y 0 to 50");
    const ctl::Json& points = Last(*chart);
    EXPECT_EQ(points.find("role")->s, "table");
    EXPECT_EQ(points.find("rows")->n, 2);
    EXPECT_EQ(points.find("cells")->dump(), "[[\"10\",\"20\"],[\"20\",\"12.5\"]]");
    EXPECT_EQ(chart->find("children")->items.front().find("role")->s, "static text");

    const ctl::Json* combo = Tree(out, 1);  // the current control: the combo
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->find("role")->s, "combo box");
    EXPECT_EQ(combo->find("value")->s, "France, Paris");
    const auto& parts = combo->find("children")->items;
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].find("name")->s, "Column 1");
    EXPECT_EQ(parts[0].find("role")->s, "editable text");
    EXPECT_EQ(parts[1].find("value")->s, "Paris");
    EXPECT_EQ(parts[2].find("selectedRows")->dump(), "[1]");
    EXPECT_EQ(parts[2].find("columnNames")->dump(), "[\"Column 1\",\"Column 2\"]");

    // No form G; then a child window of the current control, by its design name.
    int errors = 0;
    for (const auto& j : out) errors += ErrorNumber(j) == 5;
    EXPECT_EQ(errors, 1) << Dump(out);
    const ctl::Json* cell = Tree(out, 2);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->find("name")->s, "Column 2");
    EXPECT_EQ(cell->find("value")->s, "Paris");
}
