#include "ComboFixture.h"
#include "platform/com/Library.h"

using namespace quorlin;

extern "C" const ctl::ControlClass* CtlGetClassObject(const char* progId);
extern "C" int CtlCanUnloadNow();

TEST_F(ComboTest, LibraryPublishesTheComboAndCountsInstances) {
    const ctl::ControlClass* cls = CtlGetClassObject("quorlin.UCVQUORLIN");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(CtlGetClassObject("Quorlin.Other"), nullptr);
    EXPECT_EQ(cls->typeInfo().progId, "Quorlin.ucvQuorlin");
    EXPECT_STREQ(cls->library.name, "Quorlin");
    EXPECT_STREQ(cls->library.help, "QuorlinBox Custom Control");
    EXPECT_STREQ(cls->library.version, "1.0");
    EXPECT_EQ(cls->library.locale, 1033);
    EXPECT_EQ(CtlCanUnloadNow(), 1);
    {
        auto c = cls->create(site);
        EXPECT_EQ(CtlCanUnloadNow(), 0);
        c->Initialize();
        c->InitProperties();
        EXPECT_EQ(c->typeInfo(), &cls->typeInfo());
    }
    EXPECT_EQ(CtlCanUnloadNow(), 1);
}

TEST_F(ComboTest, StoredUnknownStyleLeavesRowsAlone) {
    ctl::PropertyBag bag;
    bag.WriteProperty("Style", int32_t(7), int32_t(0));
    bag.WriteProperty("List", "kept\tcache", "");
    bag.WriteProperty("ItemData", int32_t(42), int32_t(0));
    auto c = Load(bag);
    EXPECT_EQ(c->Style(), 7);
    EXPECT_EQ(c->ListWindow(), nullptr);
    c->AddItem("a", "b");
    EXPECT_EQ(c->ListCount(), 0);
    EXPECT_EQ(c->NewIndex(), -1);
    EXPECT_EQ(c->TextCol(1), "");
    c->setText("p;q");
    EXPECT_EQ(site.changed, std::vector<std::string>{"Text"});
    EXPECT_EQ(c->RowText(0), "kept\tcache");
    EXPECT_EQ(c->RowData(0), 42);
    c->Clear();
    c->Terminate();
}
