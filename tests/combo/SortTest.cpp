// Sort: order and integrity of the rows, the state it leaves, its errors, and the busy state
// that keeps host code away while it lets events through.
#include <algorithm>
#include <random>

#include "ComboFixture.h"
#include "TestSupport.h"
#include "platform/sys/Collation.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Screen.h"

using namespace quorlin;

namespace {
std::vector<std::string> Column(ucvQuorlin& c, int16_t col) {
    std::vector<std::string> out;
    for (int i = 0; i < c.ListCount(); ++i) out.push_back(c.ListCol(col, i));
    return out;
}
using Texts = std::vector<std::string>;
}  // namespace

TEST_F(ComboTest, SortTrimsCellsAndIgnoresCaseAndLeavesNoSelection) {
    auto c = RunTimeCombo(1);
    c->AddItem(" b", " two ", 2);
    c->AddItem("A ", "one", 1);
    c->AddItem("d", "three  ", 3);
    c->setListIndex(2);
    c->setTopIndex(1);
    site.changed.clear();
    site.events.clear();
    c->Sort(1);
    EXPECT_EQ(Column(*c, 1), (Texts{"A", "b", "d"}));
    EXPECT_EQ(Column(*c, 2), (Texts{"one", "two", "three"}));
    EXPECT_EQ(c->ItemData(0), 1);
    EXPECT_EQ(c->ItemData(2), 3);
    EXPECT_EQ(c->ListIndex(), -1);
    EXPECT_EQ(c->TopIndex(), 0);
    EXPECT_EQ(c->NewIndex(), 2);
    EXPECT_EQ(c->TextCol(1), "");
    EXPECT_TRUE(site.events.empty());  // no Click
    EXPECT_EQ(site.changed, (Texts{"Enabled", "Enabled"}));
    EXPECT_TRUE(c->ControlEnabled());
    EXPECT_FALSE(c->SortBusy);
    EXPECT_EQ(ctl::Screen::MousePointer(), 0);
    // The List cache keeps the last row as it was read, untrimmed.
    ctl::PropertyBag bag;
    c->WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty("List", "").toString(), "d\tthree  ");
    // The duplicate test knows the trimmed cells now.
    c->AddItem("a", "ONE");
    EXPECT_EQ(c->ListCount(), 3);
}

TEST_F(ComboTest, SortComparesLettersWithoutCaseAndAccentsInTheirPlace) {
    auto c = RunTimeCombo(0);
    for (const char* t : {"f", "B", "\xc3\xa9", "a", "e", "C"}) c->AddItem(t, "");
    c->Sort(1);
    EXPECT_EQ(Column(*c, 1), (Texts{"a", "B", "C", "e", "\xc3\xa9", "f"}));
}

TEST_F(ComboTest, SortReadsNumbersWithTheReaderTheFirstRowChooses) {
    auto c = RunTimeCombo(0);
    c->AddItem("x", "10");
    c->AddItem("y", "9");
    c->AddItem("z", "9.5");
    c->Sort(2, true);
    EXPECT_EQ(Column(*c, 2), (Texts{"9", "9.5", "10"}));
    c->Sort(2);  // as text
    EXPECT_EQ(Column(*c, 2), (Texts{"10", "9", "9.5"}));

    // No comma in the first row: the point reader, which reads 'abc' as 0 and '12kg' as 12.
    c->Clear();
    for (const char* t : {"5", "12kg", "abc", "-1", "1e1"}) c->AddItem(t, "");
    c->Sort(1, true);
    EXPECT_EQ(Column(*c, 1), (Texts{"-1", "abc", "5", "1e1", "12kg"}));
    // Numbers beyond the range of a double sort at the ends, not as 0.
    c->Clear();
    for (const char* t : {"1e999", "-5", "1", "-1e999x", "0"}) c->AddItem(t, "");
    c->Sort(1, true);
    EXPECT_EQ(Column(*c, 1), (Texts{"-1e999x", "-5", "0", "1", "1e999"}));

    // A comma in the first row: the locale's reader, here with a decimal comma.
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    c->Clear();
    for (const char* t : {"1,5", "2", "1", "1.000"}) c->AddItem(t, "");
    c->Sort(1, true);
    EXPECT_EQ(Column(*c, 1), (Texts{"1", "1,5", "2", "1.000"}));
}

TEST_F(ComboTest, SortThatMeetsANonNumberLeavesRowsAndStateAsTheyWere) {
    LocaleGuard italian(ctl::LocaleInfo::Italian());
    auto c = RunTimeCombo(1);
    for (const char* t : {"1,5", "kg", "2"}) c->AddItem(t, "", 7);
    c->setListIndex(1);
    EXPECT_EQ(ErrorOf([&] { c->Sort(1, true); }), 13);
    EXPECT_EQ(Column(*c, 1), (Texts{"1,5", "kg", "2"}));
    EXPECT_EQ(c->ListIndex(), 1);
    EXPECT_FALSE(c->SortBusy);
    EXPECT_TRUE(c->ControlEnabled());
    EXPECT_EQ(ctl::Screen::MousePointer(), 0);
    c->AddItem("3", "");  // the list is open again
    EXPECT_EQ(c->ListCount(), 4);
}

TEST_F(ComboTest, SortOnColumnThreeUsesItemDataAndBadColumnsChangeNothing) {
    auto c = RunTimeCombo(2);
    c->AddItem("a", "", 30);
    c->AddItem("b", "", -5);
    c->AddItem("c", "", 2000000000);
    c->AddItem("d", "", 0);
    c->Sort(3, false);
    EXPECT_EQ(Column(*c, 1), (Texts{"b", "d", "a", "c"}));

    site.changed.clear();
    for (int16_t col : {0, 4, -1}) {
        std::string text;
        EXPECT_EQ(ErrorOf([&] { c->Sort(col); }, &text), 5);
        EXPECT_EQ(text, "Invalid procedure call or argument");
    }
    EXPECT_TRUE(site.changed.empty());

    // An empty list: no busy state, so no Enabled notification.
    c->Clear();
    c->Sort(1);
    EXPECT_TRUE(site.changed.empty());
}

TEST_F(ComboTest, SortKeepsEveryRowWholeAndOrdersLikeTheLocaleComparison) {
    auto c = RunTimeCombo(0);
    std::mt19937 rng(11);
    const char* parts[] = {"e", "\xc3\xa9", "E", "z", "Z", "a", " ", "\xc3\x84", "10", "9"};
    std::multiset<std::tuple<std::string, std::string, int32_t>> before;
    for (int i = 0; i < 3000; ++i) {
        std::string a, b;
        for (int k = 0; k < 4; ++k) a += parts[rng() % 10];
        b = std::to_string(rng() % 1000);
        c->AddItem(a, b, int32_t(i));
        before.insert({ctl::Trim(a), b, i});
    }
    for (int16_t col : {1, 2}) {
        c->Sort(col, col == 2);
        std::multiset<std::tuple<std::string, std::string, int32_t>> after;
        for (int i = 0; i < c->ListCount(); ++i)
            after.insert({c->ListCol(1, i), c->ListCol(2, i), c->ItemData(i)});
        ASSERT_EQ(after, before);
        for (int i = 1; i < c->ListCount(); ++i) {
            if (col == 1)
                ASSERT_LE(ctl::CompareTextNoCase(c->ListCol(1, i - 1), c->ListCol(1, i)), 0) << i;
            else
                ASSERT_LE(ctl::Val(c->ListCol(2, i - 1)), ctl::Val(c->ListCol(2, i))) << i;
        }
    }
}

// Host code that runs while the sort lets events through: another control's Click handler
// calls back into the sorting control and is turned away; the sort is not disturbed.
TEST_F(ComboTest, HandlersRunDuringASortAreTurnedAwayAndSeeTheBusyState) {
    auto c = RunTimeCombo(1);
    ctl::BasicSite otherSite;
    auto other = NewCombo(otherSite, true);
    other->AddItem("x", "y");
    for (int i = 0; i < 5000; ++i) c->AddItem("r" + std::to_string(4999 - i), "", i);

    bool ran = false, busySeen = false;
    otherSite.onEvent = [&](const ctl::EventInfo& e, ctl::Args&) {
        if (e.name != "Click") return;
        ran = true;
        busySeen = c->SortBusy && !c->ControlEnabled() && ctl::Screen::MousePointer() == 11;
        c->Sort(2);
        c->AddItem("new", "row");
        c->Clear();
        c->setListIndex(0);
    };
    ctl::RunLater(0, [&] { other->setListIndex(0); });
    prompter->clearRecords();
    c->Sort(1, false);
    ASSERT_TRUE(ran);
    EXPECT_TRUE(busySeen);
    ASSERT_EQ(prompter->records().size(), 4u);
    for (const auto& r : prompter->records()) EXPECT_EQ(r.text, "Sorting in progress, wait please");
    ASSERT_EQ(c->ListCount(), 5000);
    EXPECT_EQ(c->ListCol(1, 0), "r0");
    EXPECT_EQ(c->ListCol(1, 1), "r1");
    EXPECT_EQ(c->ListCol(1, 2), "r10");
    EXPECT_EQ(c->ItemData(0), 4999);
}

TEST_F(ComboTest, ControlEndedDuringItsSortIsLeftAlone) {
    auto c = RunTimeCombo(0);
    for (int i = 0; i < 2000; ++i) c->AddItem(std::to_string(i), "");
    ctl::RunLater(0, [&] { c->Terminate(); });
    c->Sort(1);
    EXPECT_FALSE(c->SortBusy);
    EXPECT_EQ(ctl::Screen::MousePointer(), 0);
}
