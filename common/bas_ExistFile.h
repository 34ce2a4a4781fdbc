#pragma once
#include <string>

namespace bas_ExistFile {

// True when the path names an existing file, or when its last component is a pattern of * and ?
// that matches a file. Folders answer False. Surrounding double quotes and one trailing
// separator are ignored; blank text answers False. Never raises.
bool ExistFile(const std::string& path);

}  // namespace bas_ExistFile
