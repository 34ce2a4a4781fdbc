#pragma once
#include <string>
#include <string_view>

namespace ctl {

// Text helpers with the runtime's meaning: Trim removes leading and trailing blanks (spaces).
std::string Trim(std::string_view s);
std::string ToLower(std::string_view s);
std::string ToUpper(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Case-insensitive key for collections and lists (Unicode-aware lower case).
std::string FoldCase(std::string_view s);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
// Appends UTF-16 text to `out` as UTF-8; a surrogate without its pair becomes U+FFFD.
void AppendUtf8(std::u16string_view s, std::string& out);

}  // namespace ctl
