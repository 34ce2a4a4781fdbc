#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/com/PropertyBag.h"
#include "platform/com/RaisedError.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

using namespace ctl;

TEST(PropertyBag, DefaultsAreNotStoredAndReadBackTyped) {
    PropertyBag bag;
    bag.WriteProperty("Width", Variant(int32_t(9600)), Variant(int32_t(9600)));
    bag.WriteProperty("MaxX", Variant(250.5f), Variant(100.0f));
    bag.WriteProperty("Title", Variant("Sales"), Variant(""));
    EXPECT_FALSE(bag.contains("Width"));
    EXPECT_EQ(bag.ReadProperty("Width", Variant(int32_t(9600))).toInt32(), 9600);
    EXPECT_EQ(bag.ReadProperty("MaxX", Variant(100.0f)).type(), VarType::Single);
    EXPECT_FLOAT_EQ(bag.ReadProperty("MaxX", Variant(100.0f)).toSingle(), 250.5f);
    // writing the default again removes the stored value
    bag.WriteProperty("Title", Variant(""), Variant(""));
    EXPECT_FALSE(bag.contains("Title"));
}

TEST(PropertyBag, FileRoundTripKeepsFontsPicturesDatesAndOrder) {
    QTemporaryDir dir;
    std::string path = dir.filePath("form.json").toStdString();
    PropertyBag bag;
    auto font = MakeFont("Liberation Serif", 12, true);
    auto pic = std::make_shared<Picture>();
    uint32_t px[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    pic->fromArgb(2, 2, px);
    bag.WriteProperty("Zeta", Variant(true), Variant(false));
    bag.WriteProperty("Font", Variant(ObjectPtr(font)), Variant());
    bag.WriteProperty("Picture", Variant(ObjectPtr(pic)), Variant(ObjectPtr(EmptyPicture())));
    bag.WriteProperty("MinX", Variant::Date(46364), Variant(0.0f));
    bag.save(path, "Karvex.ucKarvex");

    std::string cls;
    PropertyBag back = PropertyBag::load(path, &cls);
    EXPECT_EQ(cls, "Karvex.ucKarvex");
    EXPECT_EQ(back.keys(), (std::vector<std::string>{"Zeta", "Font", "Picture", "MinX"}));
    auto f = std::dynamic_pointer_cast<Font>(back.ReadProperty("Font", Variant()).toObject());
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->sameAs(*font));
    auto p = std::dynamic_pointer_cast<Picture>(back.ReadProperty("Picture", Variant()).toObject());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->widthPx(), 2);
    EXPECT_NE(p->Handle(), 0);
    EXPECT_TRUE(back.ReadProperty("Zeta", Variant(false)).toBool());
    EXPECT_DOUBLE_EQ(back.ReadProperty("MinX", Variant()).toDateSerial(), 46364);
}

TEST(PropertyBag, UnreadableFilesRaiseClearErrors) {
    QTemporaryDir dir;
    try {
        PropertyBag::load(dir.filePath("missing.json").toStdString());
        FAIL();
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    try {
        PropertyBag::fromJson("{not json");
        FAIL();
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 13);
    }
    PropertyBag bag = PropertyBag::fromJson(R"({"properties": {"Width": "wide"}})");
    try {
        bag.ReadProperty("Width", Variant(int32_t(1)));
        FAIL();
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 13);
    }
}

TEST(PropertyBag, AValueThatCannotBeReadFailsOnlyItsOwnKey) {
    PropertyBag bag = PropertyBag::fromJson(R"({"properties": {
        "Picture": {"picture": "bm90IGFuIGltYWdl"},
        "MinX": {"date": 1e300},
        "MaxX": {"date": 3000000},
        "Font": {"font": {"name": "Liberation Sans", "size": 1e308}},
        "Title": "kept"}})");
    auto number = [&](const char* key) {
        try {
            bag.ReadProperty(key, Variant());
        } catch (const RaisedError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number("Picture"), 481);
    EXPECT_EQ(number("MinX"), 6);
    EXPECT_EQ(number("MaxX"), 6);
    EXPECT_EQ(number("Font"), 380);
    EXPECT_EQ(bag.ReadProperty("Title", Variant("")).toString(), "kept");
    EXPECT_TRUE(bag.contains("Picture"));
    // Written back, the unreadable keys are left out; a new value replaces the failure.
    bag.WriteProperty("MinX", Variant(2.0), Variant(0.0));
    EXPECT_EQ(number("MinX"), 0);
    PropertyBag again = PropertyBag::fromJson(bag.toJson("Karvex.ucKarvex"));
    EXPECT_EQ(again.keys(), (std::vector<std::string>{"MinX", "Title"}));
}

TEST(PropertyBag, AFailedSaveRaisesAndKeepsTheOldFile) {
    QTemporaryDir dir;
    std::string path = dir.filePath("form.json").toStdString();
    PropertyBag bag;
    bag.WriteProperty("Title", Variant("first"), Variant(""));
    bag.save(path, "Karvex.ucKarvex");
    try {
        bag.save("/dev/full", "Karvex.ucKarvex");
        FAIL() << "a save to a full device reported success";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 61);
        EXPECT_EQ(e.description(), "Disk full: /dev/full");
    }
    try {
        bag.save(dir.filePath("gone/form.json").toStdString(), "Karvex.ucKarvex");
        FAIL();
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.number(), 76);
    }
    EXPECT_EQ(PropertyBag::load(path).ReadProperty("Title", Variant("")).toString(), "first");
}
