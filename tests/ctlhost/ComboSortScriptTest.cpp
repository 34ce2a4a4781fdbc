// Sort driven through ctlhost: the orders a host sees, its errors, and host commands that run
// while it sorts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostRunner.h"

using ctl::Json;

namespace {
// The results of the "ListCol" calls in the output, in order.
std::vector<std::string> Cells(const std::vector<Json>& out) {
    std::vector<std::string> cells;
    for (const Json& j : out)
        if (const Json* r = j.find("result");
            r && r->kind == Json::String && r->s != "Quorlin.ucvQuorlin")
            cells.push_back(r->s);
    return cells;
}
std::string Reads(int col, int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "[\"call\", \"ListCol\", " + std::to_string(col) + ", " + std::to_string(i) + "]\n";
    return s;
}
}  // namespace

TEST(ComboSortScript, OrdersAsTextNumbersAndItemData) {
    auto out = RunHost(
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": true}]\n"
        "[\"call\", \"AddItem\", \" b\", \"10\", 3]\n"
        "[\"call\", \"AddItem\", \"A \", \"9\", 1]\n"
        "[\"call\", \"AddItem\", \"d\", \"9.5\", 2]\n"
        "[\"call\", \"Sort\", 1]\n" +
        Reads(1, 3) + "[\"call\", \"Sort\", 2, true]\n" + Reads(2, 3) +
        "[\"call\", \"Sort\", 3]\n" + Reads(1, 3) +
        "[\"call\", \"Clear\"]\n"
        "[\"call\", \"AddItem\", \"abc\", \"\"]\n"
        "[\"call\", \"AddItem\", \"12kg\", \"\"]\n"
        "[\"call\", \"AddItem\", \"5\", \"\"]\n"
        "[\"call\", \"Sort\", 1, true]\n" +
        Reads(1, 3) +
        "[\"locale\", \"italian\"]\n"
        "[\"call\", \"Clear\"]\n"
        "[\"call\", \"AddItem\", \"1,5\", \"\"]\n"
        "[\"call\", \"AddItem\", \"2\", \"\"]\n"
        "[\"call\", \"AddItem\", \"1\", \"\"]\n"
        "[\"call\", \"Sort\", 1, true]\n" +
        Reads(1, 3) +
        "[\"call\", \"Sort\", 0]\n"
        "[\"call\", \"Sort\", 4]\n");
    EXPECT_EQ(Cells(out), (std::vector<std::string>{"A", "b", "d", "9", "9.5", "10", "A", "d", "b",
                                                    "abc", "5", "12kg", "1", "1,5", "2"}));
    int fives = 0;
    for (const Json& j : out) fives += ErrorNumber(j) == 5;
    EXPECT_EQ(fives, 2);
    EXPECT_EQ(ErrorNumber(out.back()), 5);
}

TEST(ComboSortScript, CommandsRunWhileItSortsGetTheBusyMessage) {
    std::string script =
        "[\"create\", \"Quorlin.ucvQuorlin\", {\"userMode\": true}]\n"
        "[\"on\", \"Click\", [\"call\", \"Sort\", 2]]\n";
    for (int i = 0; i < 3000; ++i)
        script += "[\"call\", \"AddItem\", \"r" + std::to_string(2999 - i) + "\", \"\"]\n";
    // Host code that runs while the sort lets events through: a timer's commands.
    script +=
        "[\"after\", 0, [\"call\", \"Sort\", 2]]\n"
        "[\"after\", 0, [\"call\", \"AddItem\", \"x\", \"y\"]]\n"
        "[\"after\", 0, [\"call\", \"Clear\"]]\n"
        "[\"call\", \"Sort\", 1]\n"
        "[\"get\", \"ListCount\"]\n" +
        Reads(1, 3);
    auto out = RunHost(script);
    int busy = 0;
    for (const Json& j : out)
        if (const Json* t = j.find("text"); t && t->s == "Sorting in progress, wait please") ++busy;
    EXPECT_EQ(busy, 3);
    std::vector<std::string> cells = Cells(out);
    EXPECT_EQ(cells, (std::vector<std::string>{"r0", "r1", "r10"}));
    EXPECT_EQ(out[out.size() - 4].find("result")->n, 3000);
}
