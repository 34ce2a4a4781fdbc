#include "common/bas_StringFilePath.h"

namespace bas_StringFilePath {

std::string PathOfFile(const std::string& path) {
    std::string p = !path.empty() && path[0] == '"' ? path.substr(1) : path;
    size_t last = p.find_last_of("/\\");
    return last == std::string::npos ? std::string() : p.substr(0, last + 1);
}

std::string NameOfFile(const std::string& path) {
    size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace bas_StringFilePath
