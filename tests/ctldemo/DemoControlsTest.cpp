// The demo's controls as a user meets them: every choice of an enumerated property (the
// chart's map mode included) and the font in the property browser, readable frame labels on
// the chart page, and combos whose parts stay inside what the page gives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <cmath>

#include "apps/ctldemo/ChartPage.h"
#include "apps/ctldemo/ComboPage.h"
#include "apps/ctldemo/PropertyBrowser.h"
#include "platform/embed/ControlWidget.h"
#include "platform/graphics/Font.h"

namespace {
double Luminance(uint32_t bgr) {
    auto channel = [](uint32_t v) {
        const double c = double(v & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(bgr) + 0.7152 * channel(bgr >> 8) + 0.0722 * channel(bgr >> 16);
}
}  // namespace

TEST(DemoControls, ThePropertyBrowserOffersMapModeAndAFontDialog) {
    ctl::ControlOptions design;
    design.designMode = true;
    ctl::ControlWidget chart("Karvex.ucKarvex", nullptr, design);
    demo::PropertyBrowser browser;
    browser.setControl(&chart);

    auto* style = qobject_cast<QComboBox*>(browser.editor("MapStyle"));
    ASSERT_TRUE(style);
    EXPECT_TRUE(style->isEnabled());
    const int map = style->findData(0);
    ASSERT_GE(map, 0) << "map mode is a choice";
    EXPECT_EQ(style->itemText(map), "0 - Map");
    EXPECT_GE(style->findData(1), 0);
    style->setCurrentIndex(map);
    EXPECT_EQ(chart.get("MapStyle").toInt32(), 0);
    QApplication::processEvents();  // the browser reads the values again

    QFont asked;
    browser.chooseFont = [&](const QFont& current) -> std::optional<QFont> {
        asked = current;
        QFont f("DejaVu Serif");
        f.setPointSizeF(14);
        f.setBold(true);
        f.setUnderline(true);
        return f;
    };
    auto* font = qobject_cast<QPushButton*>(browser.editor("Font"));
    ASSERT_TRUE(font);
    ASSERT_TRUE(font->isEnabled());
    font->click();
    auto now = std::dynamic_pointer_cast<ctl::Font>(chart.get("Font").toObject());
    ASSERT_TRUE(now);
    EXPECT_EQ(now->Name, "DejaVu Serif");
    EXPECT_DOUBLE_EQ(now->Size, 14);
    EXPECT_TRUE(now->Bold);
    EXPECT_TRUE(now->Underline);
    EXPECT_FALSE(now->Italic);
    EXPECT_FALSE(asked.family().isEmpty()) << "the dialog starts from the current font";

    // A cancelled dialog changes nothing.
    QApplication::processEvents();
    browser.chooseFont = [](const QFont&) { return std::optional<QFont>(); };
    qobject_cast<QPushButton*>(browser.editor("Font"))->click();
    EXPECT_EQ(std::dynamic_pointer_cast<ctl::Font>(chart.get("Font").toObject())->Name,
              "DejaVu Serif");
}

TEST(DemoControls, FrameLabelsAreReadableAndCombosFitTheirPlace) {
    demo::ChartPage chartPage;
    auto* chart = chartPage.findChild<ctl::ControlWidget*>();
    ASSERT_TRUE(chart);
    const double back = Luminance(uint32_t(chart->get("BackColor").toInt32()));
    const double labels = Luminance(uint32_t(chart->get("GridColor").toInt32()));
    EXPECT_GE((std::max(back, labels) + 0.05) / (std::min(back, labels) + 0.05), 4.5);

    demo::ComboPage combos;
    combos.resize(1280 - 190, 800 - 70);  // the page's share of the default window
    combos.show();
    QApplication::processEvents();
    const auto all = combos.findChildren<ctl::ControlWidget*>();
    ASSERT_EQ(all.size(), 4);
    for (ctl::ControlWidget* combo : all) {
        EXPECT_LE(combo->mapTo(&combos, QPoint(combo->width(), 0)).x(), combos.width());
        // Each part of the control (cells, lists, button) lies inside the control's widget,
        // but for the two pixels the combo's own layout lets its last column overlap.
        for (QWidget* part : combo->findChildren<QWidget*>()) {
            if (!part->isVisible() || part->parentWidget() == combo) continue;
            const QPoint right = part->mapTo(combo, QPoint(part->width(), 0));
            EXPECT_LE(right.x(), combo->width() + 2) << part->objectName().toStdString();
        }
    }
}
