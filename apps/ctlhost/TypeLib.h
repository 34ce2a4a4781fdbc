#pragma once
// A class's type table as hosts and tools read it: one JSON object with the library, the
// members in interface order, the events and the enumerations.
#include <string>

#include "platform/com/Json.h"
#include "platform/com/Library.h"
#include "platform/com/TypeInfo.h"

namespace ctlhost {

// "method", "get", "let" (put by value) or "set" (put by reference).
const char* KindName(ctl::MemberKind kind);
// The type a table entry names: its enumeration or object type when it has one, otherwise the
// value type ("Boolean", "Integer", "Long", "Single", "Double", "Date", "String", "Object",
// "Variant"); "" for no result.
std::string TypeName(ctl::VarType type, const std::string& typed = {});
// The parameter's type: a property's value takes the property's own type name.
std::string ParamTypeName(const ctl::MemberInfo& m, size_t param);
// "Karvex.ucKarvex" gives "ucKarvex".
std::string ClassName(const ctl::ClassInfo& ci);

// {"library": {"name", "help", "version", "locale"}, "class", "members": [...], "events": [...],
//  "enums": [...]}; members in interface order, a property's get and put entries apart under
// one id.
ctl::Json TypeLibJson(const ctl::ControlClass& cls);

}  // namespace ctlhost
