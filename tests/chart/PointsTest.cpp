#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "chart/clsPoints.h"
#include "common/bas_Collection.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/sys/Locale.h"

using ctl::Variant;

namespace {
// The error a call raises, as (number, description); (0, "") when it raises none.
std::pair<int, std::string> ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ctl::RaisedError& e) {
        return {e.number(), e.description()};
    }
    return {0, ""};
}
std::vector<std::string> IndexesOf(const clsPoints& points) {
    std::vector<std::string> out;
    for (const tyPointPtr& p : points) out.push_back(std::to_string(p->Index));
    return out;
}
}  // namespace

TEST(Points, SamePlaceGetsCountedKeysAndIndexes) {
    clsPoints points;
    for (int i = 0; i < 3; ++i) points.Add(Variant(int16_t(1)), Variant(int16_t(2)));
    EXPECT_EQ(points.Count(), 3);
    EXPECT_EQ(points.Index("1:2"), 1);
    EXPECT_EQ(points.Index("1:2,1"), 2);
    EXPECT_EQ(points.Index("1:2,2"), 3);
    EXPECT_EQ(points.Item(Variant("1:2,2"))->Index, 3);
    EXPECT_EQ(IndexesOf(points), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(Points, DefaultKeyIsShortestPointDecimalText) {
    EXPECT_EQ(clsPoints::PointKey(Variant(1.5), Variant(int16_t(2))), "1.5:2");
    EXPECT_EQ(clsPoints::PointKey(Variant(0.1 + 0.2), Variant(-0.0)), "0.30000000000000004:0");
    EXPECT_EQ(clsPoints::PointKey(Variant(1e20), Variant(float(0.1f))),
              "1E+20:0.10000000149011612");
    EXPECT_EQ(clsPoints::PointKey(Variant::Date(46000.5), Variant("7")), "46000.5:7");
    ctl::Locale::SetCurrent(ctl::LocaleInfo::Italian());
    std::string italian = clsPoints::PointKey(Variant("1,25"), Variant(2.5));
    ctl::Locale::SetCurrent(ctl::LocaleInfo::UK());
    EXPECT_EQ(italian, "1.25:2.5");
}

TEST(Points, HostKeysAreTrimmedAndFoundWithoutRegardToCase) {
    clsPoints points;
    points.Add(Variant(1.0), Variant(1.0), "  A  ");
    EXPECT_EQ(points.Index("a"), 1);
    EXPECT_EQ(points.Item(Variant("a"))->Index, 1);
    EXPECT_EQ(ErrorOf([&] { points.Index(" a "); }).first, 5);  // look-ups are not trimmed
    points.Add(Variant(1.0), Variant(1.0), "   ");              // blank: the default key
    EXPECT_EQ(points.Index("1:1"), 2);
}

TEST(Points, DuplicateKeyRaises457AndStoresNothing) {
    clsPoints points;
    points.Add(Variant(1.0), Variant(2.0), "P");
    auto error = ErrorOf([&] { points.Add(Variant(3.0), Variant(4.0), "p"); });
    EXPECT_EQ(error.first, 457);
    EXPECT_EQ(error.second, "This key is already associated with an element of this collection");
    EXPECT_EQ(points.Count(), 1);
    // A host key that looks like a default key pushes the counter on.
    points.Add(Variant(5.0), Variant(6.0), "1:2,1");
    points.Add(Variant(1.0), Variant(2.0));
    points.Add(Variant(1.0), Variant(2.0));
    EXPECT_EQ(points.Index("1:2"), 3);
    EXPECT_EQ(points.Index("1:2,2"), 4);
}

TEST(Points, BadPositionOrKeyRaises5) {
    clsPoints points;
    points.Add(Variant(1.0), Variant(2.0));
    points.Add(Variant(3.0), Variant(4.0));
    const std::string text = "Invalid procedure call or argument";
    EXPECT_EQ(ErrorOf([&] { points.Item(Variant(int16_t(0))); }), std::make_pair(5, text));
    EXPECT_EQ(ErrorOf([&] { points.Item(Variant(int16_t(3))); }).first, 5);
    EXPECT_EQ(ErrorOf([&] { points.Item(Variant(1e12)); }).first, 5);
    EXPECT_EQ(ErrorOf([&] { points.Item(Variant()); }).first, 5);
    EXPECT_EQ(ErrorOf([&] { points.Item(Variant("nokey")); }).first, 5);
    EXPECT_EQ(ErrorOf([&] { points.Index("2"); }).first, 5);  // a text is always a key
    EXPECT_EQ(points.Item(Variant(2.0))->X, Variant(3.0));
    EXPECT_EQ(points.Item(Variant(int32_t(1)))->Y, Variant(2.0));
}

TEST(Points, UnconvertibleValueWithoutKeyRaisesAndStoresNothing) {
    clsPoints points;
    EXPECT_EQ(ErrorOf([&] { points.Add(Variant("north"), Variant(1.0)); }).first,
              ctl::errTypeMismatch);
    EXPECT_EQ(points.Count(), 0);
    points.Add(Variant("north"), Variant(1.0), "N");  // with a key no conversion is needed
    EXPECT_EQ(points.Item(Variant("n"))->X, Variant("north"));
}

TEST(Points, ClearStartsAgainFromIndexOneAndTheBareKey) {
    clsPoints points;
    points.Add(Variant(1.0), Variant(2.0));
    points.Add(Variant(1.0), Variant(2.0));
    points.Clear();
    EXPECT_EQ(points.Count(), 0);
    points.Add(Variant(1.0), Variant(2.0));
    EXPECT_EQ(points.Index("1:2"), 1);
    EXPECT_EQ(ErrorOf([&] { points.Index("1:2,1"); }).first, 5);
}

TEST(Points, CounterOverflowRaises6) {
    clsPoints points;
    for (int i = 0; i <= 32767; ++i) points.Add(Variant(0.0), Variant(0.0));  // 0:0 .. 0:0,32767
    EXPECT_EQ(points.Index("0:0,32767"), 32768);
    EXPECT_EQ(ErrorOf([&] { points.Add(Variant(0.0), Variant(0.0)); }).first, ctl::errOverflow);
    EXPECT_EQ(points.Count(), 32768);
}

TEST(Points, HostsReachMembersByName) {
    auto points = std::make_shared<clsPoints>();
    ctl::Args add{Variant(7.0), Variant::Date(45000)};
    ctl::Invoke(*points, "Add", ctl::MemberKind::Method, add);  // Key optional
    ctl::Args byPos{Variant(int16_t(1))};
    ctl::ObjectPtr item = ctl::Invoke(*points, "Item", ctl::MemberKind::Method, byPos).toObject();
    ASSERT_TRUE(item);
    ctl::Args none;
    EXPECT_EQ(ctl::Invoke(*item, "X", ctl::MemberKind::PropertyGet, none), Variant(7.0));
    EXPECT_EQ(ctl::Invoke(*item, "y", ctl::MemberKind::PropertyGet, none), Variant::Date(45000));
    EXPECT_EQ(ctl::Invoke(*item, "Index", ctl::MemberKind::PropertyGet, none).toInt32(), 1);
    ctl::Args put{Variant(int32_t(9))};
    EXPECT_NE(
        ErrorOf([&] { ctl::Invoke(*item, "Index", ctl::MemberKind::PropertyPut, put); }).first, 0);
    EXPECT_EQ(ctl::Invoke(*points, "Count", ctl::MemberKind::PropertyGet, none).toInt32(), 1);
}

TEST(Points, KeyExistsAsksTheCollection) {
    clsPoints points;
    points.Add(Variant(1.0), Variant(2.0), "Harbour");
    EXPECT_TRUE(bas_Collection::KeyExists(points, "harbour"));
    EXPECT_FALSE(bas_Collection::KeyExists(points, "Market"));
    EXPECT_FALSE(bas_Collection::KeyExists(points, ""));
    tyPoint notACollection;
    EXPECT_FALSE(bas_Collection::KeyExists(notACollection, "Harbour"));
}
