#include "ChartFixture.h"
#include "platform/com/PropertyBag.h"

using ctl::Variant;

// Property files come from anywhere: values no setter would let through must not keep the
// frame's tick loops running or break the size.
TEST_F(ChartTest, ExtremeStoredValuesCannotKeepTheTickLoopsRunning) {
    struct Case {
        const char* key;
        Variant value;
    };
    const Case cases[] = {{"LeftScale", Variant(1e30f)},
                          {"BottomScale", Variant(1e30f)},
                          {"MaxX", Variant(1e-30f)},
                          {"RightScale", Variant(-5e6f)}};
    for (const auto& c : cases) {
        ctl::PropertyBag bag;
        bag.WriteProperty(c.key, c.value, Variant());
        bag.WriteProperty("UnitX", Variant(int32_t(0)), Variant(int32_t(10)));
        Load(bag);
        chart->pic_main->setRecording(true);
        chart->SetScaleUnit();
        // one tick per pixel of the surface at the very most, on each of the two axes
        EXPECT_LT(chart->pic_main->ops().size(), 20000u) << c.key;
    }
}

TEST_F(ChartTest, SizeFollowsTheContainerAndIsSaved) {
    Create();
    chart->setSize(4500, 3000);
    EXPECT_EQ(chart->Width(), 4500);
    ctl::PropertyBag bag;
    chart->WriteProperties(bag);
    Load(bag);
    EXPECT_EQ(chart->Width(), 4500);
    EXPECT_EQ(chart->Height(), 3000);
    Create();
    EXPECT_EQ(chart->Height(), 6200);  // the stored default stands although it is no whole pixel
}
