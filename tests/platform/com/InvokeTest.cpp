#include <gtest/gtest.h>

#include "TestSupport.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"

using namespace ctl;

namespace {
class Sample : public Object {
  public:
    float Value = 0;
    std::string Last;
    const ClassInfo* typeInfo() const override {
        static ClassInfo ci = [] {
            ClassInfo c;
            c.progId = "Test.Sample";
            ClassBuilder<Sample> b(c);
            b.property(
                "Value", 1, VarType::Single, "a number", [](Sample& s) { return Variant(s.Value); },
                [](Sample& s, const Variant& v) { s.Value = v.toSingle(); });
            b.get("ReadOnly", 2, VarType::Long, "",
                  [](Sample&, Args&) { return Variant(int32_t(7)); });
            b.method(
                "Join", 3, VarType::String,
                {Param("A", VarType::String), OptParam("B", VarType::Integer, Variant(int16_t(5)))},
                "", [](Sample& s, Args& a) {
                    s.Last = a[0].toString() + "/" + a[1].toString();
                    return Variant(s.Last);
                });
            b.method("Bump", 4, VarType::Empty, {RefParam("N", VarType::Long)}, "",
                     [](Sample&, Args& a) {
                         a[0] = Variant(a[0].toInt32() + 1);
                         return Variant();
                     });
            return c;
        }();
        return &ci;
    }
};

}  // namespace

TEST(Invoke, ByNameCaseInsensitiveWithConversionAndDefaults) {
    Sample s;
    Args a{Variant("2.5")};
    Invoke(s, "VALUE", MemberKind::PropertyPut, a);
    EXPECT_FLOAT_EQ(s.Value, 2.5f);
    Args none;
    EXPECT_FLOAT_EQ(Invoke(s, "value", MemberKind::PropertyGet, none).toSingle(), 2.5f);
    Args j{Variant(int32_t(1))};
    EXPECT_EQ(Invoke(s, "join", MemberKind::Method, j).toString(), "1/5");
    Args byId{Variant("x"), Variant(int32_t(2))};
    EXPECT_EQ(Invoke(s, 3, MemberKind::Method, byId).toString(), "x/2");
    Args ref{Variant(int32_t(41))};
    Invoke(s, "Bump", MemberKind::Method, ref);
    EXPECT_EQ(ref[0].toInt32(), 42);
}

TEST(Invoke, BadCallsRaiseClearErrors) {
    Sample s;
    Args none;
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "Nope", MemberKind::Method, none); }), 438);
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "Join", MemberKind::Method, none); }), 449);
    Args many{Variant(1), Variant(2), Variant(3)};
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "Join", MemberKind::Method, many); }), 450);
    Args bad{Variant("abc")};
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "Value", MemberKind::PropertyPut, bad); }), 13);
    Args big{Variant(1e40)};
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "Value", MemberKind::PropertyPut, big); }), 6);
    Args v{Variant(1)};
    EXPECT_EQ(ErrorOf([&] { Invoke(s, "ReadOnly", MemberKind::PropertyPut, v); }), 383);
    try {
        Invoke(s, "Value", MemberKind::PropertyPut, bad);
    } catch (const RaisedError& e) {
        EXPECT_NE(e.description().find("Value"), std::string::npos);
    }
}
