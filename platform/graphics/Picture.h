#pragma once
#include <memory>
#include <string>

#include "platform/com/Variant.h"

namespace ctl {

// A picture object (bitmap); an empty picture has handle 0.
class Picture : public Object {
  public:
    Picture();
    ~Picture() override;
    std::string typeName() const override { return "Picture"; }

    // Loads an image file (bitmap, JPEG, GIF, PNG, Windows metafile); false when it cannot be read.
    bool load(const std::string& path);
    bool isEmpty() const;
    int32_t Handle() const;  // 0 for an empty picture
    int widthPx() const;
    int heightPx() const;
    // PNG bytes (empty for an empty picture) and back, for property files.
    std::string toPng() const;
    bool fromPng(const std::string& bytes);
    // Builds a picture from 0xAARRGGBB pixels, row by row (used for built-in images such as
    // cursors); hot spot for use as a cursor.
    void fromArgb(int width, int height, const uint32_t* pixels, int hotX = 0, int hotY = 0);
    int hotX() const { return hotX_; }
    int hotY() const { return hotY_; }

    struct Impl;
    Impl& impl() const { return *d_; }

  private:
    std::unique_ptr<Impl> d_;
    int hotX_ = 0, hotY_ = 0;
};
using PicturePtr = std::shared_ptr<Picture>;

PicturePtr EmptyPicture();
// Loads a picture file; raises 53 "File not found" or 481 "Invalid picture" on failure.
PicturePtr LoadPicture(const std::string& path);

}  // namespace ctl
