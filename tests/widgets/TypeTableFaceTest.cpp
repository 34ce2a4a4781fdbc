// Nothing missing: every member and event of each control's type table is on its typed widget,
// with the Qt name, argument count and type the Qt face gives it.
#include <gtest/gtest.h>

#include <QMetaMethod>
#include <QMetaProperty>

#include "platform/com/Library.h"
#include "widgets/KarvexChart.h"
#include "widgets/QuorlinComboBox.h"
#include "widgets/generator/QtFace.h"

namespace {
bool HasMethod(const QMetaObject& mo, const std::string& name, size_t args,
               QMetaMethod::MethodType type) {
    for (int i = 0; i < mo.methodCount(); ++i) {
        const QMetaMethod m = mo.method(i);
        if (m.name().toStdString() == name && size_t(m.parameterCount()) == args &&
            m.methodType() == type)
            return true;
    }
    return false;
}

void ExpectComplete(const char* progId, const QMetaObject& mo) {
    SCOPED_TRACE(progId);
    const ctl::ClassInfo& info = ctl::LookUpControlClass(progId).typeInfo();
    const widgetgen::QtFace face = widgetgen::MakeQtFace(info, mo.className());

    std::set<std::string> covered;
    for (const auto& p : face.properties) {
        const int i = mo.indexOfProperty(p.name.c_str());
        ASSERT_GE(i, 0) << p.name;
        const QMetaProperty mp = mo.property(i);
        EXPECT_EQ(std::string(mp.typeName()).find(p.type.name) != std::string::npos, true)
            << p.name << " is " << mp.typeName();
        EXPECT_EQ(mp.isWritable(), !p.setter.empty()) << p.name;
        EXPECT_EQ(mp.hasNotifySignal(), !p.setter.empty()) << p.name;
        covered.insert(p.member);
    }
    for (const auto& m : face.methods) {
        EXPECT_TRUE(HasMethod(mo, m.name, m.args.size(), QMetaMethod::Slot)) << m.name;
        covered.insert(m.member);
    }
    for (const ctl::MemberInfo& m : info.members) EXPECT_TRUE(covered.count(m.name)) << m.name;

    ASSERT_EQ(face.qtSignals.size(), info.events.size());
    for (const auto& s : face.qtSignals)
        EXPECT_TRUE(HasMethod(mo, s.name, s.args.size(), QMetaMethod::Signal)) << s.name;
    for (const ctl::EnumInfo& e : info.enums) {
        const int i = mo.indexOfEnumerator(e.name.c_str());
        ASSERT_GE(i, 0) << e.name;
        for (const auto& item : e.items)
            EXPECT_STRNE(mo.enumerator(i).valueToKey(item.value), nullptr) << item.name;
    }
}
}  // namespace

TEST(TypeTableFace, EveryMemberIsOnTheTypedWidget) {
    ExpectComplete("Karvex.ucKarvex", KarvexChart::staticMetaObject);
    ExpectComplete("Quorlin.ucvQuorlin", QuorlinComboBox::staticMetaObject);
}

TEST(TypeTableFace, NamesFollowQtAndStayClearOfQWidget) {
    EXPECT_EQ(widgetgen::QtName("Point_Add"), "pointAdd");
    EXPECT_EQ(widgetgen::QtName("ID"), "id");
    EXPECT_EQ(widgetgen::QtName("hWnd"), "hWnd");
    // QWidget's own font, enabled state, size and style are left to QWidget.
    for (const char* name : {"font", "enabled", "width", "style"})
        EXPECT_EQ(QuorlinComboBox::staticMetaObject.indexOfProperty(name),
                  QWidget::staticMetaObject.indexOfProperty(name))
            << name;
    EXPECT_GE(QuorlinComboBox::staticMetaObject.indexOfProperty("controlStyle"), 0);
}
