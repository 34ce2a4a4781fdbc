#include <string>

#include "ChartFixture.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"

using ctl::MemberKind;
using ctl::Variant;

namespace {
Variant Call(ctl::Object& o, const std::string& name, MemberKind kind, ctl::Args args = {}) {
    return ctl::Invoke(o, name, kind, args);
}
int ErrorOf(ctl::Object& o, const std::string& name, MemberKind kind, ctl::Args args = {}) {
    try {
        Call(o, name, kind, std::move(args));
    } catch (const ctl::RaisedError& e) {
        return e.number();
    }
    return 0;
}
}  // namespace

TEST_F(ChartTest, HostsReachTheMembersByName) {
    Create();
    Call(*chart, "minx", MemberKind::PropertyPut, {Variant("-20")});
    Call(*chart, "MaxX", MemberKind::PropertyPut, {Variant(80)});
    Call(*chart, "ViewGrid", MemberKind::PropertyPut, {Variant(true)});
    EXPECT_EQ(Call(*chart, "MinX", MemberKind::PropertyGet).toDouble(), -20);
    EXPECT_EQ(Call(*chart, "SetScaleUnit", MemberKind::Method), Variant(true));
    EXPECT_EQ(Call(*chart, "ControlError", MemberKind::PropertyGet), Variant(""));
    EXPECT_EQ(Call(*chart, "TextWidth", MemberKind::Method, {Variant("100")}).toSingle(),
              chart->TextWidth("100"));
    EXPECT_EQ(Call(*chart, "BackColor", MemberKind::PropertyGet), Variant(int32_t(0xFFC0C0)));
    EXPECT_EQ(site.changed,
              (std::vector<std::string>{"XAsDate", "MinX", "XAsDate", "MaxX", "ViewGrid"}));

    // Picture and Font are set by reference.
    auto font = ctl::MakeFont("Arial", 10);
    Call(*chart, "Font", MemberKind::PropertyPutRef, {Variant(ctl::ObjectPtr(font))});
    EXPECT_EQ(chart->Font(), font);
    Call(*chart, "Picture", MemberKind::PropertyPutRef, {Variant()});
    EXPECT_TRUE(chart->Picture()->isEmpty());
}

TEST_F(ChartTest, InterfaceErrorsReachTheHost) {
    Create();
    EXPECT_EQ(ErrorOf(*chart, "ControlError", MemberKind::PropertyPut, {Variant("x")}), 383);
    EXPECT_EQ(ErrorOf(*chart, "Redraw", MemberKind::Method), 438);
    EXPECT_EQ(ErrorOf(*chart, "Draw", MemberKind::Method), 1033);
    EXPECT_EQ(ErrorOf(*chart, "UnitX", MemberKind::PropertyPut, {Variant("ten")}), 13);
    EXPECT_EQ(ErrorOf(*chart, "BaseStep", MemberKind::PropertyPut, {Variant(1e40)}), 6);
    EXPECT_EQ(ErrorOf(*chart, "Picture", MemberKind::PropertyPutRef,
                      {Variant(ctl::ObjectPtr(ctl::MakeFont("A", 8)))}),
              380);
    Call(*chart, "MapStyle", MemberKind::PropertyPut, {Variant(0)});
    EXPECT_EQ(ErrorOf(*chart, "XAsDate", MemberKind::PropertyPut, {Variant(true)}), 1030);
}

TEST_F(ChartTest, NonPictureIsShownInABoxAtDesignTime) {
    Create(false);
    EXPECT_EQ(ErrorOf(*chart, "Picture", MemberKind::PropertyPutRef,
                      {Variant(ctl::ObjectPtr(ctl::MakeFont("A", 8)))}),
              0);
    ASSERT_EQ(prompter->records().size(), 1u);
    EXPECT_EQ(prompter->records()[0].text,
              "Invalid property value: Picture needs a picture object");
    EXPECT_TRUE(chart->Picture()->isEmpty());
    EXPECT_TRUE(site.changed.empty());
}

TEST(ChartTypeInfo, MembersCarryTheirDispatchIdsAndHelp) {
    const ctl::ClassInfo& ci = karvex::ucKarvexTypeInfo();
    EXPECT_EQ(ci.progId, "Karvex.ucKarvex");
    struct Expect {
        const char* name;
        uint32_t dispid;
        MemberKind kind;
    };
    for (const Expect& e : {Expect{"SetScaleUnit", 0x6003006d, MemberKind::Method},
                            Expect{"About", 0xfffffdd8, MemberKind::Method},
                            Expect{"EditScaleSetting", 0x60030035, MemberKind::Method},
                            Expect{"Font", 0xfffffe00, MemberKind::PropertyPutRef},
                            Expect{"Picture", 0x68030023, MemberKind::PropertyPutRef},
                            Expect{"MinX", 0x68030015, MemberKind::PropertyPut},
                            Expect{"TrackColor", 0x68030000, MemberKind::PropertyPut},
                            Expect{"MouseValueY", 0x68030007, MemberKind::PropertyGet},
                            Expect{"AutoRedraw", 0x6803002b, MemberKind::PropertyGet}}) {
        const ctl::MemberInfo* m = ci.find(e.name, e.kind);
        ASSERT_NE(m, nullptr) << e.name;
        EXPECT_EQ(uint32_t(m->dispid), e.dispid) << e.name;
    }
    // Read-only members have no put; hidden ones are marked.
    for (const char* ro :
         {"ControlError", "hDC", "hWnd", "TrackName", "MouseValueX", "MouseValueY"}) {
        EXPECT_EQ(ci.find(ro, MemberKind::PropertyPut), nullptr) << ro;
        EXPECT_TRUE(ci.find(ro, MemberKind::PropertyGet)->hidden) << ro;
    }
    EXPECT_EQ(ci.find("SetScaleUnit", MemberKind::Method)->help,
              "Allows to set the coordinate system according assigned parameters (Min, Max, Left, "
              "Top, Right, Bottom "
              "and Unit). Returns 'False' if fails. Valid in coordinate system mode (named "
              "'ScaleSystem').");
    EXPECT_EQ(ci.find("MapStyle", MemberKind::PropertyGet)->resultTypeName, "enMapStyle");
    const ctl::EventInfo* start = ci.findEvent("StartDrawing");
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->dispid, 4);
    EXPECT_TRUE(start->params.at(0).byRef);
    EXPECT_EQ(ci.findEvent("MouseUp")->params.size(), 4u);
    ASSERT_EQ(ci.enums.size(), 2u);
    EXPECT_EQ(ci.enums[0].items.at(1).name, "Fixed Single");
    EXPECT_EQ(ci.enums[1].items.at(0).value, 1);
}
