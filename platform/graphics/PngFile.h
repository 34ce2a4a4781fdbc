#pragma once
// Pictures written as PNG files, through the same safe save as every other file the programs
// write: a failure (a full disk, a folder that cannot take the file) leaves an older picture
// as it was and raises the save's error.
#include <string>

class QImage;

namespace ctl {

void WritePngFile(const QImage& image, const std::string& path);

}  // namespace ctl
