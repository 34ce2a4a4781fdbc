// The Qt Designer plugin loaded as Designer and QUiLoader load it, and a .ui form holding both
// controls built at run time with its properties applied.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <memory>

#include "widgets/KarvexChart.h"
#include "widgets/QuorlinComboBox.h"

namespace {
QString PluginPath() {
    return QString::fromLocal8Bit(qgetenv("CTL_DESIGNER_PLUGIN"));
}
}  // namespace

TEST(DesignerPlugin, OffersBothControlsWithTheirTypeTableTexts) {
    QPluginLoader loader(PluginPath());
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    const auto entries = collection->customWidgets();
    ASSERT_EQ(entries.size(), 2);

    const struct {
        const char* name;
        const char* help;
        const char* progId;
    } expected[] = {{"KarvexChart", "Karvex Custom Control", "Karvex.ucKarvex"},
                    {"QuorlinComboBox", "QuorlinBox Custom Control", "Quorlin.ucvQuorlin"}};
    for (int i = 0; i < 2; ++i) {
        QDesignerCustomWidgetInterface* e = entries[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(e->name(), QLatin1String(expected[i].name));
        EXPECT_EQ(e->toolTip(), QLatin1String(expected[i].help));
        EXPECT_TRUE(e->whatsThis().contains(QLatin1String(expected[i].progId)));
        EXPECT_EQ(e->includeFile(), QStringLiteral("widgets/%1.h").arg(expected[i].name));
        EXPECT_FALSE(e->icon().isNull());
        EXPECT_TRUE(e->domXml().contains(QStringLiteral("class=\"%1\"").arg(expected[i].name)));
        EXPECT_FALSE(e->isContainer());

        // Outside a form window (a preview, QUiLoader) the control runs at run time.
        std::unique_ptr<QWidget> w(e->createWidget(nullptr));
        auto* typed = qobject_cast<ctl::TypedControl*>(w.get());
        ASSERT_NE(typed, nullptr);
        EXPECT_EQ(typed->className(), expected[i].progId);
        EXPECT_FALSE(typed->designMode());
    }
}

TEST(DesignerPlugin, QUiLoaderBuildsAFormWithBothControls) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(PluginPath()).absolutePath());
    ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("KarvexChart")));
    QFile file(QString::fromLocal8Bit(qgetenv("CTL_FORM")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> form(loader.load(&file));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();

    auto* chart = form->findChild<KarvexChart*>(QStringLiteral("chart"));
    auto* combo = form->findChild<QuorlinComboBox*>(QStringLiteral("stations"));
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(chart->title(), QStringLiteral("Rainfall"));
    EXPECT_EQ(chart->backColor(), QColor(255, 255, 224));
    EXPECT_TRUE(chart->viewGrid());
    // Style is written only at design time: the form's value arrives all the same.
    EXPECT_EQ(combo->controlStyle(), QuorlinComboBox::SimpleCombo);
    EXPECT_TRUE(combo->autoFill());
    EXPECT_EQ(combo->widthCol1(), 1500);
    EXPECT_EQ(combo->forecolor(), QColor(0, 0, 128));
    EXPECT_EQ(chart->lastErrorNumber() + combo->lastErrorNumber(), 0);
}
