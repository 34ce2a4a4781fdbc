#pragma once
// Small picture files of each format the chart's background picture takes, made by the tests.
#include <QImage>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace picturefiles {

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A 40 x 30 picture, red on the left half and blue on the right, as BMP or JPEG.
inline bool WriteRaster(const std::string& path, const char* format) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::blue);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    return img.save(QString::fromStdString(path), format);
}

// A one-pixel red GIF (the toolkit reads GIF but does not write it).
inline void WriteGif(const std::string& path) {
    WriteBytes(path, {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                      0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00,
                      0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B});
}

// A placeable metafile one inch square (1440 units) filled with a green rectangle.
inline void WriteWmf(const std::string& path) {
    std::vector<uint8_t> b;
    auto w16 = [&](int v) {
        b.push_back(uint8_t(v & 0xFF));
        b.push_back(uint8_t((v >> 8) & 0xFF));
    };
    auto w32 = [&](uint32_t v) {
        w16(int(v & 0xFFFF));
        w16(int(v >> 16));
    };
    // Placeable header: key, handle, bounds, units per inch, reserved, checksum.
    w32(0x9AC6CDD7);
    w16(0);
    w16(0), w16(0), w16(1440), w16(1440);
    w16(1440);
    w32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < 20; i += 2) sum ^= uint16_t(b[i] | (b[i + 1] << 8));
    w16(sum);
    const size_t header = b.size();
    // Standard header (size in words filled in below).
    w16(1), w16(9), w16(0x0300), w32(0), w16(1), w32(7), w16(0);
    w32(5), w16(0x020B), w16(0), w16(0);                        // SetWindowOrg
    w32(5), w16(0x020C), w16(1440), w16(1440);                  // SetWindowExt
    w32(7), w16(0x02FC), w16(0), w32(0x0000FF00), w16(0);       // CreateBrushIndirect: green
    w32(4), w16(0x012D), w16(0);                                // SelectObject
    w32(7), w16(0x041B), w16(1440), w16(1440), w16(0), w16(0);  // Rectangle
    w32(3), w16(0);                                             // end
    const uint32_t words = uint32_t((b.size() - header) / 2);
    for (int i = 0; i < 4; ++i) b[header + 6 + size_t(i)] = uint8_t((words >> (8 * i)) & 0xFF);
    WriteBytes(path, b);
}

}  // namespace picturefiles
