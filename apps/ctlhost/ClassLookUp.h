#pragma once
// Class names as users type them: "Karvex.ucKarvex", or the bare "ucKarvex" the type table
// itself prints, which stands for the one library that offers a class of that name.
#include <string>

#include "platform/com/Library.h"

namespace ctlhost {

// The full name of `name`: itself when it names its library; otherwise the one class of the
// installed manifests with that bare name (without regard to case). Raises 429 when several
// libraries offer it (naming them); a name nobody offers is returned as it is, so the look-up
// that follows says what is missing.
std::string FullClassName(const std::string& name);
// The class for `name` in either form.
const ctl::ControlClass& LookUpClass(const std::string& name);

}  // namespace ctlhost
