// The duplicate test's count table: case folding, counts per text, removal, and growth that
// drops the keys of removed texts.
#include <gtest/gtest.h>

#include <string>

#include "combo/FoldedCounts.h"

using quorlin::FoldedCounts;

TEST(FoldedCounts, CountsTextsWithoutCaseAndForgetsThemWhenTheLastGoes) {
    FoldedCounts t;
    t.add("Apple");
    t.add("APPLE");
    t.add("\xc3\x89t\xc3\xa9");  // "Été"
    EXPECT_TRUE(t.contains("apple"));
    EXPECT_TRUE(t.contains("\xc3\xa9T\xc3\x89"));
    EXPECT_FALSE(t.contains("appl"));
    EXPECT_EQ(t.distinct(), 2u);
    t.remove("apple");
    EXPECT_TRUE(t.contains("Apple"));  // one of the two is left
    t.remove("aPPle");
    EXPECT_FALSE(t.contains("apple"));
    t.remove("never added");
    EXPECT_EQ(t.distinct(), 1u);
}

TEST(FoldedCounts, GrowingAfterManyRemovalsKeepsExactlyTheLiveTexts) {
    FoldedCounts t;
    for (int i = 0; i < 5000; ++i) t.add("Row number " + std::to_string(i));
    for (int i = 0; i < 4900; ++i) t.remove("ROW NUMBER " + std::to_string(i));
    for (int i = 0; i < 20000; ++i) t.add("other " + std::to_string(i));
    EXPECT_EQ(t.distinct(), 20100u);
    for (int i = 0; i < 5000; i += 7)
        EXPECT_EQ(t.contains("row number " + std::to_string(i)), i >= 4900) << i;
    EXPECT_TRUE(t.contains("OTHER 19999"));
    t.clear();
    EXPECT_FALSE(t.contains("other 1"));
    EXPECT_EQ(t.distinct(), 0u);
}

TEST(FoldedCounts, APlaceFoundBeforeTheTableChangedStillCountsItsText) {
    FoldedCounts t;
    for (int i = 0; i < 40; ++i) t.add("r" + std::to_string(i));
    t.remove("r3");  // a freed slot that an add may take again
    auto key = t.fold("New");
    std::string text = key.text;
    auto place = t.locate(key);
    EXPECT_FALSE(place.counted);
    for (int i = 40; i < 400; ++i) t.add("r" + std::to_string(i));  // grows: the place is stale
    auto again = t.fold(text);
    t.addAt(place, again);
    t.addAt(t.locate(t.fold("NEW")), t.fold("NEW"));
    EXPECT_EQ(t.distinct(), 400u - 1 + 1);
    t.remove("new");
    EXPECT_TRUE(t.contains("nEw"));  // counted twice, removed once
    for (int i = 0; i < 400; ++i) EXPECT_EQ(t.contains("R" + std::to_string(i)), i != 3) << i;
}
