// Picture files of the four background formats load; broken ones fail cleanly.
#include <gtest/gtest.h>

#include <QImage>

#include "PictureFiles.h"
#include "StoreFiles.h"
#include "platform/com/RaisedError.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/PictureImpl.h"

namespace {
QRgb PixelAt(const ctl::PicturePtr& p, int x, int y) {
    return p->impl().image.pixel(x, y);
}
}  // namespace

TEST(PictureFormats, BitmapJpegGifAndMetafileAllLoad) {
    TempFolder dir;
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("a.bmp"), "BMP"));
    ASSERT_TRUE(picturefiles::WriteRaster(dir.file("a.jpg"), "JPG"));
    picturefiles::WriteGif(dir.file("a.gif"));
    picturefiles::WriteWmf(dir.file("a.wmf"));

    auto bmp = ctl::LoadPicture(dir.file("a.bmp"));
    EXPECT_EQ(bmp->widthPx(), 40);
    EXPECT_EQ(PixelAt(bmp, 5, 5) & 0xFFFFFF, 0xFF0000u);
    auto jpg = ctl::LoadPicture(dir.file("a.jpg"));
    EXPECT_EQ(jpg->heightPx(), 30);
    EXPECT_GT(qRed(PixelAt(jpg, 5, 5)), 200);
    auto gif = ctl::LoadPicture(dir.file("a.gif"));
    EXPECT_EQ(gif->widthPx(), 1);
    EXPECT_EQ(PixelAt(gif, 0, 0) & 0xFFFFFF, 0xFF0000u);

    // One inch at 96 dots per inch, filled with the metafile's green brush.
    auto wmf = ctl::LoadPicture(dir.file("a.wmf"));
    EXPECT_NEAR(wmf->widthPx(), 96, 2);
    EXPECT_NEAR(wmf->heightPx(), 96, 2);
    const QRgb mid = PixelAt(wmf, wmf->widthPx() / 2, wmf->heightPx() / 2);
    EXPECT_EQ(qGreen(mid), 255);
    EXPECT_EQ(qRed(mid), 0);
    EXPECT_NE(wmf->Handle(), 0);
}

TEST(PictureFormats, FilesThatDoNotDecodeRaiseAndLeaveNoPicture) {
    TempFolder dir;
    picturefiles::WriteBytes(dir.file("junk.bmp"), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
    // A metafile cut short after its placeable key and bounds.
    picturefiles::WriteBytes(dir.file("cut.wmf"),
                             {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xA0, 0x05, 0xA0, 0x05});
    for (const char* name : {"junk.bmp", "cut.wmf"}) {
        try {
            ctl::LoadPicture(dir.file(name));
            ADD_FAILURE() << name << " loaded";
        } catch (const ctl::RaisedError& e) {
            EXPECT_EQ(e.number(), 481) << name;
        }
    }
    ctl::Picture p;
    EXPECT_FALSE(p.load(dir.file("missing.gif")));
    EXPECT_TRUE(p.isEmpty());
}
