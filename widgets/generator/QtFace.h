#pragma once
// How a control's type table looks from Qt: the typed widget's properties, methods, signals
// and enumerations, with Qt names and Qt types. The emitter writes C++ from this.
#include <string>
#include <vector>

#include "platform/com/TypeInfo.h"

namespace widgetgen {

struct QtType {
    std::string name;      // "QColor", "bool", an enumeration's name
    ctl::VarType var;      // the control's type (what by-reference values go back as)
    bool isEnum = false;   // passed to the control as its int value
    bool isClass = false;  // passed as const reference
    std::string param() const { return isClass ? "const " + name + "&" : name; }
};

struct QtArg {
    std::string name;  // "keyAscii"
    QtType type;
    bool byRef = false;
    std::string defaultValue;  // C++ text, empty when the argument is required
};

struct QtProperty {
    std::string member;  // the control's name, "MinX"
    std::string name;    // "minX"
    std::string setter;  // "setMinX", empty when read-only
    QtType type;
    std::string help;
    bool designable = true;
};

// A method, or an indexed property's read or write ("list(index)", "setList(index, value)").
struct QtMethod {
    std::string member;
    ctl::MemberKind kind;  // Method, PropertyGet or PropertyPut
    std::string name;
    std::vector<QtArg> args;  // for a put, the index arguments then the value
    QtType result;            // name "void" for none
    std::string help;
};

struct QtSignal {
    std::string event;  // "KeyPress"
    std::string name;   // "keyPress"
    std::vector<QtArg> args;
    std::string help;
};

struct QtEnum {
    std::string name;
    std::vector<std::pair<std::string, int>> items;  // C++ names, values
};

struct QtFace {
    std::string progId, className, help;
    std::vector<QtEnum> enums;
    std::vector<QtProperty> properties;
    std::vector<QtMethod> methods;
    std::vector<QtSignal> qtSignals;
};

QtFace MakeQtFace(const ctl::ClassInfo& info, const std::string& className);

// "Point_Add" -> "pointAdd", "ID" -> "id", "hWnd" -> "hWnd".
std::string QtName(const std::string& member);

}  // namespace widgetgen
