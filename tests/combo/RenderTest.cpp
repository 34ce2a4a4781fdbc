#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

#include "ComboFixture.h"

using namespace quorlin;

namespace {
// The control as a person sees it, placed and shown on a form.
QImage Snapshot(ucvQuorlin& c, ctl::Form& form, const std::string& name) {
    form.Place(c, 0, 0);
    form.setWidth(c.Width() + 600);
    form.setHeight(c.Height() + 600);
    form.Show();
    QImage img = c.qwidget()->grab().toImage();
    if (const char* dir = std::getenv("CTL_SNAPSHOT_DIR"))
        img.save(QString::fromStdString(std::string(dir) + "/" + name));
    return img;
}
// Dark pixels inside `r`, given in window pixels (the grab may hold more device pixels).
int DarkPixels(const QImage& img, QRect r) {
    const qreal k = img.devicePixelRatio();
    r = QRect(int(r.left() * k), int(r.top() * k), int(r.width() * k), int(r.height() * k));
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 60) ++n;
    return n;
}
}  // namespace

TEST_F(ComboTest, EachStyleRendersCellsButtonAndRows) {
    for (int style = 0; style <= 2; ++style) {
        SCOPED_TRACE(style);
        auto c = RunTimeCombo(style);
        Fill(*c, 12);
        c->setListIndex(1);
        ctl::Form form;
        QImage img = Snapshot(*c, form, "combo_style" + std::to_string(style) + ".png");
        ASSERT_FALSE(img.isNull());
        int px = ctl::Widget::TwipsX();
        QRect button(c->imgCombo.Left() / px + 2, 2, c->imgCombo.Width() / px - 4,
                     c->EditHeight() / px - 4);
        QRect cell1(2, 2, c->WidthCol1() / px - 4, c->EditHeight() / px - 4);
        if (style != 1) {
            EXPECT_GT(DarkPixels(img, button), 6);  // the arrow of the drop-down button
        }
        // The selected row's first cell shows as text in the edit portion.
        EXPECT_GT(DarkPixels(img, cell1), 5);
        if (style == 1) {
            QRect rows(2, c->EditHeight() / px + 2, c->WidthCol1() / px - 4,
                       c->ListHeight() / px - 4);
            EXPECT_GT(DarkPixels(img, rows), 40);  // the rows of the always-shown list
        }
        form.Hide();
        c->qwidget()->setParent(nullptr);
    }
}
