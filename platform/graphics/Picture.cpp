#include "platform/graphics/Picture.h"

#include <QBuffer>
#include <QFileInfo>

#include "platform/com/Handles.h"
#include "platform/com/RaisedError.h"
#include "platform/graphics/PictureImpl.h"
#include "platform/graphics/PictureMetafile.h"

namespace ctl {

Picture::Picture() : d_(std::make_unique<Impl>()) {}
Picture::~Picture() = default;

bool Picture::load(const std::string& path) {
    // The toolkit reads bitmaps, JPEG, GIF and PNG; metafiles are played by their own decoder.
    QImage img = LooksLikeMetafile(path) ? DecodeMetafile(path) : QImage();
    if (img.isNull() && !img.load(QString::fromStdString(path))) return false;
    d_->image = img.convertToFormat(QImage::Format_ARGB32);
    d_->handle = NewHandle();
    return true;
}
bool Picture::isEmpty() const {
    return d_->image.isNull();
}
int32_t Picture::Handle() const {
    return isEmpty() ? 0 : d_->handle;
}
int Picture::widthPx() const {
    return d_->image.width();
}
int Picture::heightPx() const {
    return d_->image.height();
}

std::string Picture::toPng() const {
    if (isEmpty()) return {};
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    d_->image.save(&buf, "PNG");
    return bytes.toStdString();
}

bool Picture::fromPng(const std::string& bytes) {
    QImage img;
    if (!img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())))
        return false;
    d_->image = img.convertToFormat(QImage::Format_ARGB32);
    d_->handle = NewHandle();
    return true;
}

void Picture::fromArgb(int width, int height, const uint32_t* pixels, int hotX, int hotY) {
    QImage img(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, pixels[size_t(y) * size_t(width) + size_t(x)]);
    d_->image = img;
    d_->handle = NewHandle();
    hotX_ = hotX;
    hotY_ = hotY;
}

PicturePtr EmptyPicture() {
    return std::make_shared<Picture>();
}

PicturePtr LoadPicture(const std::string& path) {
    if (!QFileInfo(QString::fromStdString(path)).isFile()) Raise(53);
    auto p = std::make_shared<Picture>();
    if (!p->load(path)) Raise(481, "Invalid picture");
    return p;
}

}  // namespace ctl
