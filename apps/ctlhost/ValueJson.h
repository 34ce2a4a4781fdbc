#pragma once
#include "platform/com/Json.h"
#include "platform/com/Variant.h"

namespace ctlhost {

// Script values: numbers, strings, booleans, null for Empty, {"date": SERIAL}, and
// {"font": {...}} / {"picture": PATH} for objects. Raises 13 for anything else.
ctl::Variant ToVariant(const ctl::Json& j);
// Results: objects with a type table print their readable properties.
ctl::Json FromVariant(const ctl::Variant& v, int depth = 0);

}  // namespace ctlhost
