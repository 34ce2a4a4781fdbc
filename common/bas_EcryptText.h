#pragma once
#include <string>

namespace bas_EcryptText {

// The maker's name (18 characters) and web address (37 characters) for the about box. They are
// kept as character codes rather than plain text.
std::string MakerName();
std::string MakerWebAddress();

}  // namespace bas_EcryptText
