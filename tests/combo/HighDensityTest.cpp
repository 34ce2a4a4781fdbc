// The combo on a double-density screen: its lists are painted in device pixels, and its twips
// keep their meaning.
#include <QPixmap>
#include <QWidget>

#include "ComboFixture.h"
#include "RatioTwo.h"

TEST_F(ComboTest, HighDensityListsPaintAtDeviceResolution) {
    if (!AtRatioTwo("ComboTest.HighDensity*")) return;
    auto c = RunTimeCombo(1);
    Fill(*c, 12);
    c->setListIndex(2);
    ctl::Form form;
    form.Place(*c, 0, 0);
    form.Show();
    QWidget* list = c->lstCol1a.qwidget();
    const QPixmap shot = list->grab();
    EXPECT_EQ(shot.devicePixelRatio(), 2.0);
    EXPECT_EQ(shot.size(), list->size() * 2);
    // The rows, the height the list took and the pointer's row are in twips as at ratio 1.
    EXPECT_EQ(c->lstCol1a.RowHeight() % ctl::Widget::TwipsY(), 0);
    EXPECT_EQ(c->lstCol1a.RowAt(float(c->lstCol1a.RowHeight()) * 2.5f), 2);
    EXPECT_EQ(c->ListHeight(), 1800);
    form.Hide();
    c->qwidget()->setParent(nullptr);
    c->Terminate();
}
