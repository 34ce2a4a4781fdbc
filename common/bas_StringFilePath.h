#pragma once
#include <string>

namespace bas_StringFilePath {

// The folder part of a path, up to and including its last separator ("/" or "\"); empty text
// for a bare file name. A leading double quote is dropped first.
std::string PathOfFile(const std::string& path);

// The name part of a path, after its last separator.
std::string NameOfFile(const std::string& path);

}  // namespace bas_StringFilePath
