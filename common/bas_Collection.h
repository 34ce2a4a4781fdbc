#pragma once
#include <string>

#include "platform/com/Variant.h"

namespace bas_Collection {

// True when the keyed collection (any object whose type table has an Item member) holds an
// object under the key; False on any failure (no such key, not an object, no Item member).
bool KeyExists(ctl::Object& collection, const std::string& key);

}  // namespace bas_Collection
