#include "platform/graphics/PngFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include "platform/com/RaisedError.h"
#include "platform/sys/SafeFile.h"

namespace ctl {

void WritePngFile(const QImage& image, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) Raise(75, "Path/File access error: " + path);
    FileError error;
    if (!WriteFileSafely(path, std::string_view(png.constData(), size_t(png.size())), error))
        Raise(error.number, error.description);
}

}  // namespace ctl
