#include "widgets/generator/Emit.h"

#include <cctype>
#include <sstream>

namespace widgetgen {

namespace {

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string VarTypeText(ctl::VarType t) {
    return std::string("ctl::VarType::") + ctl::VarTypeName(t);
}

// "int keyAscii, int col" (with defaults in a declaration); by-reference arguments of a
// signal as references.
std::string ArgList(const std::vector<QtArg>& args, bool declaration, bool references) {
    std::string out;
    for (const QtArg& a : args) {
        if (!out.empty()) out += ", ";
        out += references && a.byRef ? a.type.name + "&" : a.type.param();
        out += " " + a.name;
        if (declaration && !a.defaultValue.empty()) out += " = " + a.defaultValue;
    }
    return out;
}

// The expression that hands a Qt value to the control.
std::string ToControl(const QtType& t, const std::string& expr) {
    return t.isEnum ? "ctl::ToVariant(int(" + expr + "))" : "ctl::ToVariant(" + expr + ")";
}

std::string ArgsLambda(const std::vector<QtArg>& args, size_t count) {
    std::string out = "[&] { return ctl::Args{";
    for (size_t i = 0; i < count; ++i)
        out += (i ? ", " : "") + ToControl(args[i].type, args[i].name);
    return out + "}; }";
}

// The expression reading a typed value from the control.
std::string ReadCall(const QtType& t, const std::string& call) {
    if (t.isEnum) return "static_cast<" + t.name + ">(read<int>(" + call + "))";
    return "read<" + t.name + ">(" + call + ")";
}

// A return type outside the class: its enumerations need the class's name.
std::string Outside(const QtType& t, const std::string& cls) {
    return t.isEnum ? cls + "::" + t.name : t.name;
}

void Comment(std::ostringstream& out, const std::string& help) {
    if (!help.empty()) out << "    // " << help << "\n";
}

}  // namespace

std::string HeaderText(const QtFace& f) {
    std::ostringstream out;
    out << "#pragma once\n// " << f.className << ": the control " << f.progId
        << " as a typed Qt widget. Written by ctlwidgetgen from the control's type table at "
           "build time.\n"
        << "#include <QColor>\n#include <QDateTime>\n#include <QFont>\n#include <QPixmap>\n"
        << "#include <QString>\n#include <QVariant>\n\n#include \"widgets/TypedControl.h\"\n\n"
        << "class " << f.className << " : public ctl::TypedControl {\n    Q_OBJECT\n"
        << "    Q_CLASSINFO(\"ctlClass\", \"" << f.progId << "\")\n"
        << "    Q_CLASSINFO(\"ctlHelp\", \"" << Escaped(f.help) << "\")\n";
    for (const QtProperty& p : f.properties) {
        out << "    Q_PROPERTY(" << p.type.name << " " << p.name << " READ " << p.name;
        if (!p.setter.empty()) out << " WRITE " << p.setter << " NOTIFY " << p.name << "Changed";
        if (!p.designable) out << " DESIGNABLE false STORED false";
        out << ")\n";
    }
    out << "  public:\n";
    for (const QtEnum& e : f.enums) {
        // A fixed underlying type: any int the control holds is a valid value of it.
        out << "    enum " << e.name << " : int {";
        for (size_t i = 0; i < e.items.size(); ++i)
            out << (i ? ", " : " ") << e.items[i].first << " = " << e.items[i].second;
        out << " };\n    Q_ENUM(" << e.name << ")\n";
    }
    out << "\n    // A new control with its default properties; at design time when options say "
           "so.\n"
        << "    explicit " << f.className
        << "(QWidget* parent = nullptr, ctl::ControlOptions options = {});\n"
        << "    ~" << f.className << "() override;\n\n";
    for (const QtProperty& p : f.properties) {
        Comment(out, p.help);
        out << "    " << p.type.name << " " << p.name << "() const;\n";
    }
    out << "\n  public slots:\n";
    for (const QtProperty& p : f.properties)
        if (!p.setter.empty())
            out << "    void " << p.setter << "(" << p.type.param() << " value);\n";
    for (const QtMethod& m : f.methods) {
        Comment(out, m.help);
        out << "    " << m.result.name << " " << m.name << "(" << ArgList(m.args, true, false)
            << ");\n";
    }
    out << "\n  signals:\n";
    for (const QtProperty& p : f.properties)
        if (!p.setter.empty()) out << "    void " << p.name << "Changed();\n";
    for (const QtSignal& s : f.qtSignals) {
        Comment(out, s.help);
        out << "    void " << s.name << "(" << ArgList(s.args, false, true) << ");\n";
    }
    out << "\n  protected:\n"
        << "    void dispatchEvent(const std::string& name, ctl::Args& args) override;\n"
        << "    void dispatchChanged(const std::string& key) override;\n};\n";
    return out.str();
}

std::string SourceText(const QtFace& f, const std::string& headerName) {
    std::ostringstream out;
    const std::string& c = f.className;
    out << "// Written by ctlwidgetgen from the type table of " << f.progId << ".\n"
        << "#include \"widgets/" << headerName << "\"\n\n"
        << c << "::" << c << "(QWidget* parent, ctl::ControlOptions options)\n"
        << "    : ctl::TypedControl(\"" << f.progId << "\", parent, std::move(options)) {}\n\n"
        << c << "::~" << c << "() {\n    detach();\n}\n\n";
    for (const QtProperty& p : f.properties) {
        out << Outside(p.type, c) << " " << c << "::" << p.name << "() const {\n    return "
            << ReadCall(p.type, "\"" + p.member + "\"") << ";\n}\n";
        if (!p.setter.empty())
            out << "void " << c << "::" << p.setter << "(" << p.type.param() << " value) {\n"
                << "    write(\"" << p.member << "\", [&] { return " << ToControl(p.type, "value")
                << "; });\n}\n";
    }
    for (const QtMethod& m : f.methods) {
        out << Outside(m.result, c) << " " << c << "::" << m.name << "("
            << ArgList(m.args, false, false) << ") {\n";
        const std::string name = "\"" + m.member + "\"";
        if (m.kind == ctl::MemberKind::PropertyGet) {
            out << "    return "
                << ReadCall(m.result, name + ", " + ArgsLambda(m.args, m.args.size())) << ";\n";
        } else if (m.kind == ctl::MemberKind::PropertyPut) {
            const QtArg& v = m.args.back();
            out << "    write(" << name << ", [&] { return " << ToControl(v.type, v.name) << "; }, "
                << ArgsLambda(m.args, m.args.size() - 1) << ");\n";
        } else {
            const std::string call = name + ", " + ArgsLambda(m.args, m.args.size());
            if (m.result.isEnum)
                out << "    return static_cast<" << m.result.name << ">(invoke<int>(" << call
                    << "));\n";
            else
                out << "    return invoke<" << m.result.name << ">(" << call << ");\n";
        }
        out << "}\n";
    }
    out << "\nvoid " << c << "::dispatchEvent(const std::string& name, ctl::Args& args) {\n";
    for (const QtSignal& s : f.qtSignals) {
        out << "    if (name == \"" << s.event << "\"";
        if (!s.args.empty()) out << " && args.size() >= " << s.args.size();
        out << ") {\n";
        for (size_t i = 0; i < s.args.size(); ++i) {
            const QtArg& a = s.args[i];
            out << "        " << a.type.name << " " << a.name << " = ctl::FromVariant<"
                << a.type.name << ">(args[" << i << "]);\n";
        }
        out << "        emit " << s.name << "(";
        for (size_t i = 0; i < s.args.size(); ++i) out << (i ? ", " : "") << s.args[i].name;
        out << ");\n";
        for (size_t i = 0; i < s.args.size(); ++i)
            if (s.args[i].byRef)
                out << "        storeBack(args, " << i << ", "
                    << ToControl(s.args[i].type, s.args[i].name) << ", "
                    << VarTypeText(s.args[i].type.var) << ");\n";
        out << "        return;\n    }\n";
    }
    out << "}\n\nvoid " << c << "::dispatchChanged(const std::string& key) {\n"
        << "    const QString k = QString::fromStdString(key).toLower();\n";
    for (const QtProperty& p : f.properties) {
        if (p.setter.empty()) continue;
        std::string lower = p.member;
        for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        out << "    if (k == QLatin1String(\"" << lower << "\")) emit " << p.name << "Changed();\n";
    }
    out << "}\n";
    return out.str();
}

}  // namespace widgetgen
