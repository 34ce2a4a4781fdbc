#include <gtest/gtest.h>

#include <QCursor>
#include <QPixmap>
#include <QWidget>

#include "common/bas_EcryptText.h"
#include "common/bas_HandCursor.h"
#include "platform/com/UserControl.h"
#include "platform/controls/PictureBox.h"

TEST(HandCursor, SetAndResetOnARealWidget) {
    ctl::Form form;
    ctl::PictureBox label(form);
    bas_HandCursor::SetHandCursor(label);
    EXPECT_EQ(label.MousePointer(), 99);
    ASSERT_TRUE(label.MouseIcon());
    EXPECT_FALSE(label.MouseIcon()->isEmpty());
    QCursor shown = label.qwidget()->cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.pixmap().width(), 32);
    EXPECT_EQ(shown.hotSpot(), QPoint(5, 0));
    QImage img = shown.pixmap().toImage();
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);    // transparent around the hand
    EXPECT_EQ(img.pixel(5, 0), 0xFF000000u);  // black outline at the fingertip
    EXPECT_EQ(img.pixel(6, 3), 0xFFFFFFFFu);  // white inside the finger
    EXPECT_EQ(bas_HandCursor::HandCursorPicture(), label.MouseIcon());  // built once, shared

    bas_HandCursor::ResetCursor(label);
    EXPECT_EQ(label.MousePointer(), 0);
    EXPECT_TRUE(label.MouseIcon()->isEmpty());
    EXPECT_FALSE(label.qwidget()->testAttribute(Qt::WA_SetCursor));
}

TEST(EcryptText, MakerTextsHaveTheirLengthsAndArePlainText) {
    std::string name = bas_EcryptText::MakerName();
    std::string web = bas_EcryptText::MakerWebAddress();
    EXPECT_EQ(name.size(), 18u);
    EXPECT_EQ(web.size(), 37u);
    for (char c : name + web) EXPECT_TRUE(c >= 32 && c < 127);
    EXPECT_EQ(web.rfind("http", 0), 0u);
}
