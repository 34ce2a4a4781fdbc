#include "widgets/generator/QtFace.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <set>

namespace widgetgen {

using ctl::MemberKind;
using ctl::VarType;

namespace {

// Names a typed widget cannot take for its own members: QWidget's (meta-object members and
// the plain functions a Qt developer knows) and those of the embedding classes below it.
bool TakenByBase(const std::string& name) {
    static const std::set<std::string> plain = {"style",
                                                "setStyle",
                                                "font",
                                                "setFont",
                                                "width",
                                                "height",
                                                "size",
                                                "pos",
                                                "rect",
                                                "x",
                                                "y",
                                                "palette",
                                                "setPalette",
                                                "layout",
                                                "setLayout",
                                                "cursor",
                                                "setCursor",
                                                "parent",
                                                "setParent",
                                                "children",
                                                "event",
                                                "render",
                                                "grab",
                                                "scroll",
                                                "move",
                                                "resize",
                                                "update",
                                                "window",
                                                "locale",
                                                "setLocale",
                                                "mask",
                                                "setMask",
                                                "data",
                                                "find",
                                                "metric",
                                                "print",
                                                "isEnabled",
                                                "setEnabled",
                                                "tr",
                                                "metaObject",
                                                "get",
                                                "set",
                                                "call",
                                                "on",
                                                "off",
                                                "save",
                                                "load",
                                                "control",
                                                "typeInfo",
                                                "className",
                                                "designMode",
                                                "setDesignMode",
                                                "read",
                                                "write",
                                                "invoke",
                                                "guard",
                                                "detach",
                                                "report",
                                                "storeBack",
                                                "sizeHint",
                                                "minimumSizeHint",
                                                "clearLastError",
                                                "lastErrorNumber",
                                                "lastErrorDescription",
                                                "errorOccurred",
                                                "resized",
                                                "availableClasses",
                                                "fromFile",
                                                "systemMenuEntries",
                                                "runSystemMenuEntry",
                                                "dispatchEvent",
                                                "dispatchChanged",
                                                "eventRaised"};
    if (plain.count(name)) return true;
    const QMetaObject& mo = QWidget::staticMetaObject;
    if (mo.indexOfProperty(name.c_str()) >= 0) return true;
    for (int i = 0; i < mo.methodCount(); ++i)
        if (mo.method(i).name().toStdString() == name) return true;
    return false;
}

// QWidget's own read-only geometry (width, height): the form's layout owns it.
bool QtGeometry(const std::string& name) {
    const int i = QWidget::staticMetaObject.indexOfProperty(name.c_str());
    return i >= 0 && !QWidget::staticMetaObject.property(i).isWritable();
}

std::string Upper1(std::string s) {
    if (!s.empty()) s[0] = char(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

// A member's Qt name, moved aside ("controlStyle") when QWidget already has it.
std::string MemberName(const std::string& member) {
    std::string n = QtName(member);
    if (TakenByBase(n) || TakenByBase("set" + Upper1(n))) n = "control" + Upper1(n);
    return n;
}

// Names the Qt face gives to values an enumeration leaves unnamed, so that forms can choose
// them: the chart's map mode is MapStyle 0.
const std::vector<std::pair<std::string, std::pair<std::string, int>>> kUnnamedValues = {
    {"enMapStyle", {"MapMode", 0}}};

std::string EnumItemName(const std::string& item) {
    std::string out;
    bool up = true;
    for (char c : item) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            up = true;
            continue;
        }
        out += up ? char(std::toupper(static_cast<unsigned char>(c))) : c;
        up = false;
    }
    return out;
}

QtType TypeOf(VarType var, const std::string& typeName, const ctl::ClassInfo& info) {
    for (const auto& e : info.enums)
        if (e.name == typeName) return {e.name, var, true, false};
    if (typeName == "Color") return {"QColor", var, false, true};
    if (typeName == "Font") return {"QFont", var, false, true};
    if (typeName == "Picture") return {"QPixmap", var, false, true};
    switch (var) {
        case VarType::Empty:
            return {"void", var};
        case VarType::Boolean:
            return {"bool", var};
        case VarType::Integer:
        case VarType::Long:
            return {"int", var};
        case VarType::Single:
        case VarType::Double:
            return {"double", var};
        case VarType::Date:
            return {"QDateTime", var, false, true};
        case VarType::String:
            return {"QString", var, false, true};
        case VarType::Object:
            return {"QVariantMap", var, false, true};  // an object with plain properties
        case VarType::Any:
            break;
    }
    return {"QVariant", var, false, true};
}

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string DefaultText(const ctl::ParamInfo& p, const QtType& t) {
    const ctl::Variant& v = p.defaultValue;
    if (t.name == "bool") return v.toBool() ? "true" : "false";
    if (t.name == "int") return std::to_string(v.toInt32());
    if (t.name == "double") return std::to_string(v.toDouble());
    if (t.name == "QString")
        return v.isEmpty() ? "QString()" : "QStringLiteral(" + Quoted(v.toString()) + ")";
    return t.name + "()";
}

QtArg ArgOf(const ctl::ParamInfo& p, const QtType& t) {
    QtArg a{QtName(p.name), t, p.byRef, {}};
    if (p.optional) a.defaultValue = DefaultText(p, t);
    return a;
}

std::vector<QtArg> ArgsOf(const std::vector<ctl::ParamInfo>& params, const ctl::ClassInfo& info,
                          size_t count) {
    std::vector<QtArg> out;
    for (size_t i = 0; i < count; ++i)
        out.push_back(ArgOf(params[i], TypeOf(params[i].type, "", info)));
    return out;
}

void AddEnums(const ctl::ClassInfo& info, QtFace& face) {
    for (const auto& e : info.enums) {
        QtEnum q{e.name, {}};
        for (const auto& it : e.items) q.items.push_back({EnumItemName(it.name), it.value});
        for (const auto& unnamed : kUnnamedValues) {
            const auto& item = unnamed.second;
            if (unnamed.first == e.name &&
                std::none_of(q.items.begin(), q.items.end(),
                             [&](const auto& i) { return i.second == item.second; }))
                q.items.insert(q.items.begin(), item);
        }
        face.enums.push_back(std::move(q));
    }
}

const ctl::MemberInfo* Put(const ctl::ClassInfo& info, const std::string& name) {
    const ctl::MemberInfo* put = info.find(name, MemberKind::PropertyPut);
    return put ? put : info.find(name, MemberKind::PropertyPutRef);
}

}  // namespace

std::string QtName(const std::string& member) {
    std::string joined;
    bool up = false;
    for (char c : member) {
        if (c == '_') {
            up = true;
            continue;
        }
        joined += up ? char(std::toupper(static_cast<unsigned char>(c))) : c;
        up = false;
    }
    if (std::all_of(joined.begin(), joined.end(),
                    [](char c) { return !std::islower(static_cast<unsigned char>(c)); }))
        std::transform(joined.begin(), joined.end(), joined.begin(),
                       [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    else if (!joined.empty())
        joined[0] = char(std::tolower(static_cast<unsigned char>(joined[0])));
    return joined;
}

QtFace MakeQtFace(const ctl::ClassInfo& info, const std::string& className) {
    QtFace face;
    face.progId = info.progId;
    face.className = className;
    face.help = info.help;
    AddEnums(info, face);
    std::set<std::string> done;
    for (const ctl::MemberInfo& m : info.members) {
        if (m.kind == MemberKind::Method) {
            QtMethod q{m.name,
                       m.kind,
                       MemberName(m.name),
                       ArgsOf(m.params, info, m.params.size()),
                       TypeOf(m.result, m.resultTypeName, info),
                       m.help};
            face.methods.push_back(std::move(q));
            continue;
        }
        if (!done.insert(m.name).second) continue;  // a property's get and put are one
        const ctl::MemberInfo* get = info.find(m.name, MemberKind::PropertyGet);
        const ctl::MemberInfo* put = Put(info, m.name);
        const size_t indexes = get ? get->params.size() : put->params.size() - 1;
        const QtType type = get ? TypeOf(get->result, get->resultTypeName, info)
                                : TypeOf(put->params.back().type, put->resultTypeName, info);
        const std::string name = MemberName(m.name);
        if (indexes == 0) {
            face.properties.push_back({m.name, name, put ? "set" + Upper1(name) : "", type, m.help,
                                       !m.hidden && !QtGeometry(QtName(m.name))});
            continue;
        }
        // An indexed property: a read and a write with the index arguments first.
        const ctl::MemberInfo& any = get ? *get : *put;
        if (get)
            face.methods.push_back({m.name, MemberKind::PropertyGet, name,
                                    ArgsOf(any.params, info, indexes), type, m.help});
        if (put) {
            std::vector<QtArg> args = ArgsOf(put->params, info, indexes);
            args.push_back({"value", type, false, {}});
            face.methods.push_back({m.name,
                                    MemberKind::PropertyPut,
                                    "set" + Upper1(name),
                                    args,
                                    {"void", VarType::Empty},
                                    m.help});
        }
    }
    for (const ctl::EventInfo& e : info.events)
        face.qtSignals.push_back(
            {e.name, QtName(e.name), ArgsOf(e.params, info, e.params.size()), e.help});
    return face;
}

}  // namespace widgetgen
