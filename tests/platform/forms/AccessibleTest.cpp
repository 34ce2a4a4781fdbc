// The platform's accessible objects for control windows, with a source of the test's own.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

#include "platform/com/UserControl.h"
#include "platform/controls/Label.h"
#include "platform/forms/Accessible.h"
#include "platform/forms/AccessibleTree.h"

using namespace ctl;

namespace {
class PlainControl : public UserControl {
  public:
    using UserControl::UserControl;
    std::string typeName() const override { return "PlainControl"; }
};

// Two texts, then either a third text or a table of `rows` rows, as the test says.
class Source : public AccessibleSource {
  public:
    using AccessibleSource::AccessibleSource;
    bool table = true;
    int rows = 2;
    AccessibleRole Role() const override { return AccessibleRole::Graphic; }
    std::string Name() const override { return "picture"; }
    int PartCount() const override { return 3; }
    AccessiblePart Part(int i) const override {
        if (i < 2) return {AccessiblePart::Text, "t" + std::to_string(i), "", nullptr};
        return {table ? AccessiblePart::Table : AccessiblePart::Text, "data", "", nullptr};
    }
    int Rows(int) const override { return rows; }
    std::string Cell(int, int row, int) const override { return "r" + std::to_string(row); }
};
}  // namespace

TEST(Accessible, PartsFollowTheSourceAndGoWithIt) {
    BasicSite site;
    PlainControl control(site);
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(control.qwidget());
    ASSERT_TRUE(root);
    EXPECT_EQ(root->role(), QAccessible::Client);  // describes nothing yet: a plain window
    EXPECT_EQ(root->childCount(), 0);
    {
        Source source(control);
        EXPECT_EQ(root->role(), QAccessible::Graphic);
        ASSERT_EQ(root->childCount(), 3);
        QAccessibleInterface* data = root->child(2);
        ASSERT_TRUE(data->tableInterface());
        EXPECT_EQ(data->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), "r1");
        EXPECT_EQ(data->tableInterface()->cellAt(2, 0), nullptr);
        // The part turns into a text: the old table object says it is gone, a text takes its
        // place.
        source.table = false;
        EXPECT_FALSE(data->isValid());
        QAccessibleInterface* text = root->child(2);
        EXPECT_EQ(text->role(), QAccessible::StaticText);
        EXPECT_EQ(text->text(QAccessible::Name), "data");
        EXPECT_EQ(root->indexOfChild(text), 2);

        const Json tree = AccessibleTree(control);
        EXPECT_EQ(tree.find("role")->s, "graphic");
        EXPECT_EQ(tree.find("children")->items.size(), 3u);
    }
    // The source ended: the window reads as a plain one again, and its old parts are invalid.
    EXPECT_EQ(root->role(), QAccessible::Client);
    EXPECT_EQ(root->childCount(), 0);
}

TEST(Accessible, AWindowThatEndsTakesItsAccessibleObjectWithIt) {
    BasicSite site;
    PlainControl control(site);
    auto label = std::make_unique<Label>(control);
    label->setCaption("x");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label->qwidget());
    ASSERT_TRUE(iface);
    const QAccessible::Id id = QAccessible::uniqueId(iface);
    label.reset();
    // Left in the toolkit's cache, the object would answer for a later window at that address.
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}
