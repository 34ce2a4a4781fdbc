#include "platform/graphics/PictureMetafile.h"

#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace ctl {

namespace {
constexpr unsigned char kPlaceableKey[4] = {0xD7, 0xCD, 0xC6, 0x9A};
// A picture larger than this in either direction is refused rather than allocated.
constexpr unsigned int kMaxSidePx = 8192;
constexpr double kDotsPerInch = 96.0;

// Owns a libwmf session so every way out destroys it.
struct Session {
    wmfAPI* api = nullptr;
    ~Session() {
        if (api) wmf_api_destroy(api);
    }
};
}  // namespace

bool LooksLikeMetafile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char head[4] = {};
    if (!in.read(reinterpret_cast<char*>(head), 4)) return false;
    if (std::memcmp(head, kPlaceableKey, 4) == 0) return true;
    // A plain metafile: type 1 (memory) or 2 (disk), header size 9 words.
    return (head[0] == 1 || head[0] == 2) && head[1] == 0 && head[2] == 9 && head[3] == 0;
}

QImage DecodeMetafile(const std::string& path) {
    if (!LooksLikeMetafile(path)) return {};
    Session s;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.function = wmf_gd_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&s.api, flags, &options) != wmf_E_None) return {};
    if (wmf_file_open(s.api, path.c_str()) != wmf_E_None) return {};
    wmfD_Rect bbox;
    const bool scanned = wmf_scan(s.api, 0, &bbox) == wmf_E_None;
    unsigned int width = 0, height = 0;
    const bool sized = scanned && wmf_display_size(s.api, &width, &height, kDotsPerInch,
                                                   kDotsPerInch) == wmf_E_None;
    if (!sized || width == 0 || height == 0 || width > kMaxSidePx || height > kMaxSidePx) {
        wmf_file_close(s.api);
        return {};
    }
    // Played into a PNG that the library writes into memory when the session ends: it then
    // frees its own image (an image handed to the caller has no exported way to be freed).
    char* png = nullptr;
    size_t pngSize = 0;
    FILE* sink = open_memstream(&png, &pngSize);
    if (!sink) {
        wmf_file_close(s.api);
        return {};
    }
    wmf_gd_t* gd = WMF_GD_GetData(s.api);
    gd->type = wmf_gd_png;
    gd->file = sink;
    gd->flags |= WMF_GD_OUTPUT_FILE;
    gd->width = width;
    gd->height = height;
    gd->bbox = bbox;
    const bool played = wmf_play(s.api, 0, &bbox) == wmf_E_None;
    wmf_file_close(s.api);
    wmf_api_destroy(s.api);  // writes the PNG
    s.api = nullptr;
    std::fclose(sink);
    QImage image;
    if (played && png) image.loadFromData(reinterpret_cast<const uchar*>(png), int(pngSize), "PNG");
    std::free(png);
    return image;
}

}  // namespace ctl
