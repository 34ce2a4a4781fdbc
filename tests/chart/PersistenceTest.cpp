#include <string>
#include <utility>

#include "ChartFixture.h"
#include "chart/KarvexState.h"
#include "platform/com/Library.h"
#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"

extern "C" const ctl::ControlClass* CtlGetClassObject(const char* progId);
extern "C" int CtlCanUnloadNow();

using ctl::Variant;

namespace {
Variant Get(karvex::ucKarvex& k, const std::string& name) {
    ctl::Args none;
    return ctl::Invoke(k, name, ctl::MemberKind::PropertyGet, none);
}

// Every persisted property readable through the interface, with its default.
const std::vector<std::pair<std::string, Variant>>& Defaults() {
    static const std::vector<std::pair<std::string, Variant>> d = {
        {"AutoRedraw", true},
        {"BaseStep", 30.0f},
        {"ClipControls", true},
        {"FlagExit", false},
        {"ControlError", ""},
        {"Delay", 0.0f},
        {"BorderStyle", int32_t(0)},
        {"AutoSize", false},
        {"DrawWidth", int16_t(1)},
        {"Width", int32_t(9600)},
        {"Height", int32_t(6200)},
        {"Enabled", true},
        {"CurrentX", 0.0f},
        {"CurrentY", 0.0f},
        {"Title", ""},
        {"ViewPoints", false},
        {"ViewGrid", false},
        {"EnableMenu", true},
        {"MapStyle", int32_t(1)},
        {"LeftScale", 480.0f},
        {"TopScale", 240.0f},
        {"RightScale", 480.0f},
        {"BottomScale", 240.0f},
        {"XAsDate", false},
        {"YAsDate", false},
        {"MinX", 0.0f},
        {"MaxX", 100.0f},
        {"MinY", 0.0f},
        {"MaxY", 100.0f},
        {"UnitX", int32_t(10)},
        {"UnitY", int32_t(10)},
        {"BackColor", int32_t(0xFFC0C0)},
        {"ForeColor", int32_t(0xFF)},
        {"GridColor", int32_t(0)},
        {"TextColor", int32_t(0)},
        {"TitleColor", int32_t(0xFFFF)},
        {"TrackColor", int32_t(0xFF0000)},
        {"MouseScan", false},
        {"MouseValueX", int32_t(0)},
        {"MouseValueY", int32_t(0)},
    };
    return d;
}

void ExpectDefaults(karvex::ucKarvex& k) {
    for (const auto& [name, def] : Defaults())
        EXPECT_TRUE(ctl::SameValue(Get(k, name), def)) << name;
    EXPECT_TRUE(k.Picture()->isEmpty());
    EXPECT_EQ(k.pic_main->BackColor(), 0xFFC0C0u);
    EXPECT_EQ(k.pic_main->ForeColor(), 0xFFu);
    EXPECT_EQ(k.pic_main->FillColor(), 0xFFu);
}
}  // namespace

TEST_F(ChartTest, NewControlSavesOnlyDefaultsAndReloadsToThem) {
    ExpectDefaults(Create());
    ctl::PropertyBag bag;
    chart->WriteProperties(bag);
    EXPECT_TRUE(bag.keys().empty()) << bag.toJson("Karvex.ucKarvex");

    ctl::PropertyBag reread = ctl::PropertyBag::fromJson(bag.toJson("Karvex.ucKarvex"));
    ExpectDefaults(Load(reread));
    EXPECT_TRUE(chart->Font()->sameAs(*site.ambientFont));
}

TEST_F(ChartTest, ChangedPropertiesSurviveASaveAndLoad) {
    Create();
    chart->setMinX(-20);
    chart->setMaxY(500);
    chart->setUnitY(50);
    chart->setTitle("Sales");
    chart->setGridColor(0x00FF00);
    chart->setBorderStyle(1);
    chart->setViewGrid(true);
    chart->setFont(ctl::MakeFont("Arial", 12, true));
    ctl::PropertyBag bag;
    chart->WriteProperties(bag);
    EXPECT_EQ(bag.keys(), (std::vector<std::string>{"BorderStyle", "Font", "Title", "ViewGrid",
                                                    "MinX", "MaxY", "UnitY", "GridColor"}));
    ctl::PropertyBag reread = ctl::PropertyBag::fromJson(bag.toJson("Karvex.ucKarvex"));
    Load(reread);
    EXPECT_EQ(chart->MinX(), -20);
    EXPECT_EQ(chart->MaxY(), 500);
    EXPECT_EQ(chart->UnitY(), 50);
    EXPECT_EQ(chart->Title(), "Sales");
    EXPECT_EQ(chart->GridColor(), 0x00FF00u);
    EXPECT_EQ(chart->BorderStyle(), 1);
    EXPECT_TRUE(chart->ViewGrid());
    EXPECT_EQ(chart->Font()->Name, "Arial");
    EXPECT_TRUE(chart->Font()->Bold);
}

TEST_F(ChartTest, DateAxisLoadedAtPlainLimitsSpansTheCurrentYear) {
    ctl::Clock::SetNow(ctl::DateSerial(2031, 6, 15));
    ctl::PropertyBag bag;
    bag.WriteProperty("XAsDate", true, false);
    bag.WriteProperty("MinX", 0.0f, 1.0f);  // stored explicitly as 0
    Load(bag);
    EXPECT_EQ(chart->MinX(), float(ctl::DateSerial(2031, 1, 1)));
    EXPECT_EQ(chart->MaxX(), float(ctl::DateSerial(2031, 12, 31)));
    EXPECT_EQ(chart->MinY(), 0);  // the Y axis is numeric

    // In map mode the limits stay as stored.
    bag.WriteProperty("MapStyle", int32_t(0), int32_t(1));
    Load(bag);
    EXPECT_EQ(chart->MinX(), 0);
    EXPECT_EQ(chart->MaxX(), 100);
}

TEST_F(ChartTest, LoadingSkipsKeysThatCannotBeRead) {
    ctl::PropertyBag bag =
        ctl::PropertyBag::fromJson(R"({"properties": {"BaseStep": "abc", "MinX": 1e39, "MaxX": 250,
                                       "Font": "not a font", "UnitX": 7}})");
    Load(bag);
    EXPECT_EQ(chart->BaseStep(), 30);
    EXPECT_EQ(chart->MinX(), 0);
    EXPECT_EQ(chart->MaxX(), 250);
    EXPECT_EQ(chart->UnitX(), 7);
    EXPECT_TRUE(chart->Font() != nullptr);
}

TEST_F(ChartTest, LoadingAtRunTimeComputesALenientFrame) {
    ctl::PropertyBag bag;
    bag.WriteProperty("MinX", 50.0f, 0.0f);
    bag.WriteProperty("MaxX", 10.0f, 100.0f);
    Load(bag);
    EXPECT_EQ(chart->Frame().RangeX, 1);
    EXPECT_EQ(chart->Frame().SurfaceW, 9600);
    EXPECT_EQ(chart->Frame().PlotLeft, 480);
}

TEST_F(ChartTest, ControlSavedWithFlagExitStillGetsItsSurface) {
    ctl::PropertyBag bag;
    bag.WriteProperty("FlagExit", true, false);
    bag.WriteProperty("Width", int32_t(6000), int32_t(9600));
    bag.WriteProperty("Height", int32_t(3000), int32_t(6200));
    Load(bag);
    chart->Show();
    EXPECT_TRUE(chart->FlagExit());
    EXPECT_EQ(chart->pic_main->ScaleWidth(), 6000);
    EXPECT_EQ(chart->pic_main->ScaleHeight(), 3000);
    EXPECT_EQ(chart->Frame().SurfaceW, 6000);  // the frame of the load sees the surface
    chart->setDrawWidth(20);
    EXPECT_EQ(chart->DrawWidth(), 20);  // not clamped to an empty surface
    chart->pic_main->setRecording(true);
    ASSERT_TRUE(chart->SetScaleUnit());
    EXPECT_FALSE(Ops(ctl::DrawOp::Text).empty());
    EXPECT_EQ(chart->Frame().PlotRight, 6000 - 480);

    Load(bag, false);  // the form designer shows it the same way
    chart->Show();
    EXPECT_EQ(chart->pic_main->ScaleWidth(), 6000);
}

TEST_F(ChartTest, ApplicationFolderEndsWithTheSeparator) {
    site.folder = "/opt/app";
    EXPECT_EQ(Create().AppFolder(), "/opt/app/");
    site.folder = "/";
    EXPECT_EQ(Create().AppFolder(), "/");
    site.folder.clear();  // the folder of the library itself
    EXPECT_EQ(Create().AppFolder().back(), '/');
}

TEST_F(ChartTest, InitializeReadsTheUsersDateOrderAndDecimalSeparator) {
    struct Case {
        ctl::LocaleInfo locale;
        const char* pattern;
        const char* decimal;
    };
    ctl::LocaleInfo ymd{"yyyy/mm/dd", "/", ".", ","};
    for (const Case& c :
         {Case{ctl::LocaleInfo::US(), "mm/dd/yy", "."},
          Case{ctl::LocaleInfo::ISO(), "dd/mm/yy", "."},
          Case{ctl::LocaleInfo::UK(), "dd/mm/yy", "."},
          Case{ctl::LocaleInfo::Italian(), "dd/mm/yy", ","}, Case{ymd, "yy/mm/dd", "."}}) {
        ctl::Locale::SetCurrent(c.locale);
        Create();
        EXPECT_EQ(karvex::Library().ShortDatePattern, c.pattern) << c.locale.shortDate;
        EXPECT_EQ(karvex::Library().DecimalSeparator, c.decimal) << c.locale.shortDate;
    }
    EXPECT_EQ(chart->PixelW(), 15);
    EXPECT_EQ(karvex::Library().LibraryTitle, "Karvex");
}

TEST_F(ChartTest, LibraryCreatesTheControlAndCountsLiveInstances) {
    const ctl::ControlClass* cls = CtlGetClassObject("karvex.UCKARVEX");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(CtlGetClassObject("Karvex.Other"), nullptr);
    EXPECT_EQ(&cls->typeInfo(), &karvex::ucKarvexTypeInfo());
    EXPECT_EQ(CtlCanUnloadNow(), 1);
    {
        auto control = cls->create(site);
        EXPECT_EQ(CtlCanUnloadNow(), 0);
        EXPECT_NE(dynamic_cast<karvex::ucKarvex*>(control.get()), nullptr);
    }
    EXPECT_EQ(CtlCanUnloadNow(), 1);
}

TEST_F(ChartTest, ResizeFitsTheSurfaceUnlessBusyOrExiting) {
    Create();
    chart->ctl::UserControl::setSize(3000, 1500);
    EXPECT_EQ(chart->pic_main->Width(), 3000);
    EXPECT_EQ(chart->pic_main->Height(), 1500);
    karvex::Library().Busy = true;
    chart->ctl::UserControl::setSize(4500, 3000);
    karvex::Library().Busy = false;
    EXPECT_EQ(chart->pic_main->Width(), 3000);
    chart->Terminate();  // exiting: resizing is over
    chart->ctl::UserControl::setSize(6000, 3000);
    EXPECT_EQ(chart->pic_main->Width(), 3000);
}

TEST_F(ChartTest, AutoSizeFitsTheContainerToThePicture) {
    Create();
    auto pic = std::make_shared<ctl::Picture>();
    std::vector<uint32_t> pixels(40 * 30, 0xFF00FF00);
    pic->fromArgb(40, 30, pixels.data());
    chart->setPicture(pic);
    chart->setAutoSize(true);
    EXPECT_EQ(chart->ctl::UserControl::Width(), 40 * 15);
    EXPECT_EQ(chart->ctl::UserControl::Height(), 30 * 15);
    EXPECT_FALSE(karvex::Library().Busy);
}
