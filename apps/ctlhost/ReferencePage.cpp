#include "apps/ctlhost/ReferencePage.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "apps/ctlhost/ReferenceNotes.h"
#include "apps/ctlhost/TypeLib.h"

namespace ctlhost {

using ctl::MemberInfo;
using ctl::MemberKind;
using ctl::ParamInfo;

namespace {
std::string Hex(int32_t id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", uint32_t(id));
    return buf;
}

std::string DefaultText(const ctl::Variant& v) {
    switch (v.type()) {
        case ctl::VarType::Empty:
            return "Empty";
        case ctl::VarType::Boolean:
            return v.toBool() ? "True" : "False";
        case ctl::VarType::String:
            return "\"" + v.toString() + "\"";
        default:
            return v.toString();
    }
}

std::string ParamText(const ParamInfo& p, const std::string& type) {
    std::string s = (p.byRef ? "ref " : "") + p.name + ": " + type;
    if (p.optional) s = "[" + s + " = " + DefaultText(p.defaultValue) + "]";
    return s;
}

// What the type names of the tables stand for, in the order the legend lists them.
const std::pair<const char*, const char*> kTypes[] = {
    {"Boolean", "True (-1) or False (0)"},
    {"Integer", "16-bit signed integer"},
    {"Long", "32-bit signed integer"},
    {"Single", "32-bit floating-point number"},
    {"Double", "64-bit floating-point number"},
    {"Date", "a date and time"},
    {"String", "text"},
    {"Variant", "a number, a date, text or nothing (Empty)"},
    {"Color", "a colour as 0x00BBGGRR, or a system colour with the high bit set"},
    {"Font", "a font object (name, size, bold, italic, underline)"},
    {"Picture", "a picture object"},
    {"Object", "an object"},
};

// The legend rows for the types the class uses; enumerations and other named objects last.
std::string TypeLegend(const ctl::ClassInfo& ci, const ReferenceNotes& notes) {
    std::vector<std::string> used;
    auto use = [&](const std::string& t) {
        if (!t.empty() && std::find(used.begin(), used.end(), t) == used.end()) used.push_back(t);
    };
    for (const auto& m : ci.members) {
        use(TypeName(m.result, m.resultTypeName));
        for (size_t i = 0; i < m.params.size(); ++i) use(ParamTypeName(m, i));
    }
    for (const auto& e : ci.events)
        for (const auto& p : e.params) use(TypeName(p.type));
    std::ostringstream out;
    out << "| Type | Values |\n|---|---|\n";
    for (const auto& [name, text] : kTypes)
        if (std::find(used.begin(), used.end(), name) != used.end())
            out << "| " << name << " | " << text << " |\n";
    for (const auto& t : used) {
        bool known = false;
        for (const auto& k : kTypes) known = known || t == k.first;
        if (known) continue;
        bool enumeration = false;
        for (const auto& e : ci.enums) enumeration = enumeration || e.name == t;
        const std::string described = notes.typeNote(t);
        out << "| " << t << " | "
            << (enumeration         ? "a 32-bit enumeration (see Enumerations)"
                : described.empty() ? "an object"
                                    : described)
            << " |\n";
    }
    return out.str();
}

std::string Help(const std::string& help) {
    return help.empty() ? "*(no help text)*" : help;
}

// The entries of one member name: a method, or a property's accessors.
struct Entry {
    std::vector<const MemberInfo*> parts;
    const MemberInfo* find(MemberKind k) const {
        for (auto* m : parts)
            if (m->kind == k) return m;
        return nullptr;
    }
};

std::string Signature(const Entry& e) {
    const MemberInfo& first = *e.parts.front();
    std::ostringstream out;
    if (first.kind == MemberKind::Method) {
        out << first.name << "(";
        for (size_t i = 0; i < first.params.size(); ++i)
            out << (i ? ", " : "") << ParamText(first.params[i], ParamTypeName(first, i));
        out << ")";
        if (first.result != ctl::VarType::Empty)
            out << " → " << TypeName(first.result, first.resultTypeName);
        return out.str();
    }
    // A property: its index parameters (the put's value excluded), then its type.
    const MemberInfo* get = e.find(MemberKind::PropertyGet);
    const MemberInfo& m = get ? *get : first;
    const size_t index = get ? m.params.size() : m.params.size() - 1;
    out << m.name;
    if (index) {
        out << "(";
        for (size_t i = 0; i < index; ++i)
            out << (i ? ", " : "") << ParamText(m.params[i], ParamTypeName(m, i));
        out << ")";
    }
    out << ": " << (get ? TypeName(get->result, get->resultTypeName) : ParamTypeName(m, index));
    return out.str();
}

std::string Access(const Entry& e) {
    if (e.parts.front()->kind == MemberKind::Method) return "method";
    const bool get = e.find(MemberKind::PropertyGet), let = e.find(MemberKind::PropertyPut),
               set = e.find(MemberKind::PropertyPutRef);
    std::string s = "property, ";
    if (get && (let || set))
        s += "read/write";
    else if (get)
        s += "read-only";
    else
        s += "write-only";
    if (set) s += ", assigned by reference";
    return s;
}
}  // namespace

std::string ReferencePage(const ctl::ControlClass& cls) {
    const ctl::ClassInfo& ci = cls.typeInfo();
    const ctl::LibraryInfo& lib = cls.library;
    const ReferenceNotes& notes = NotesFor(ci.progId);
    std::ostringstream out;
    out << "# " << ClassName(ci) << "\n\n"
        << "The control class `" << ci.progId << "` of the library " << lib.name << " (\""
        << lib.help << "\", version " << lib.version << ", locale " << lib.locale << ").\n\n"
        << "This page is generated from the class's type table; "
        << "`cmake --build build --target reference` writes it again.\n\n"
        << "## Types\n\n"
        << TypeLegend(ci, notes) << "\n";

    // Members grouped by name, in the order each name first appears in the interface.
    std::vector<Entry> entries;
    for (const auto& m : ci.members) {
        Entry* found = nullptr;
        for (auto& e : entries)
            if (e.parts.front()->name == m.name && e.parts.front()->kind != MemberKind::Method &&
                m.kind != MemberKind::Method)
                found = &e;
        if (found)
            found->parts.push_back(&m);
        else
            entries.push_back({{&m}});
    }
    out << "## Members\n\n"
        << "In interface order. Optional parameters are shown in brackets with their default; "
        << "`ref` parameters are passed by reference. Hidden members are left out of property "
        << "browsers but work like the others.\n\n";
    for (const auto& e : entries) {
        const MemberInfo& m = *e.parts.front();
        bool hidden = false;
        for (auto* p : e.parts) hidden = hidden || p->hidden;
        out << "### " << m.name << "\n\n"
            << "`" << Signature(e) << "`\n\n"
            << Access(e) << (hidden ? ", hidden" : "") << (m.dispid == 0 ? ", default member" : "")
            << "; id " << Hex(m.dispid) << "\n\n"
            << Help(m.help) << "\n\n";
        if (const std::string note = notes.memberNote(m.name); !note.empty()) out << note << "\n\n";
    }

    out << "## Events\n\n";
    for (const auto& ev : ci.events) {
        out << "### " << ev.name << "\n\n`" << ev.name << "(";
        for (size_t i = 0; i < ev.params.size(); ++i)
            out << (i ? ", " : "") << ParamText(ev.params[i], TypeName(ev.params[i].type));
        out << ")`\n\nid " << ev.dispid << "\n\n" << Help(ev.help) << "\n\n";
    }

    out << "## Enumerations\n";
    for (const auto& en : ci.enums) {
        out << "\n### " << en.name << "\n\n| Name | Value | Help text |\n|---|---|---|\n";
        for (const auto& it : en.items)
            out << "| " << it.name << " | " << it.value << " | " << Help(it.help) << " |\n";
        for (const auto& v : notes.values)
            if (v.enumeration == en.name)
                out << "| *(none)* | " << v.value << " | " << v.meaning << " |\n";
    }
    if (!notes.errors.empty()) {
        out << "\n## Errors\n\n"
            << notes.errorsIntro << "\n\n| Number | Description | Raised by |\n|---|---|---|\n";
        for (const auto& e : notes.errors)
            out << "| " << e.number << " | " << e.text << " | " << e.when << " |\n";
    }
    return out.str();
}

}  // namespace ctlhost
