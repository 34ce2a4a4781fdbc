#pragma once
// Decoding of Windows metafiles (placeable or plain WMF) into pixels, for Picture::load.
// Private to the platform.
#include <QImage>
#include <string>

namespace ctl {

// True when the file starts as a metafile does (the placeable key, or a plain header).
bool LooksLikeMetafile(const std::string& path);
// Plays the metafile into an image of its own display size (96 dots per inch) on white;
// a null image when the file is not a metafile that can be played.
QImage DecodeMetafile(const std::string& path);

}  // namespace ctl
