#include "platform/com/TypeInfo.h"

#include "platform/com/RaisedError.h"
#include "platform/sys/Text.h"

namespace ctl {

const MemberInfo* ClassInfo::find(const std::string& name, MemberKind kind) const {
    for (const auto& m : members)
        if (m.kind == kind && EqualsNoCase(m.name, name)) return &m;
    return nullptr;
}

const MemberInfo* ClassInfo::find(int32_t dispid, MemberKind kind) const {
    for (const auto& m : members)
        if (m.kind == kind && m.dispid == dispid) return &m;
    return nullptr;
}

const EventInfo* ClassInfo::findEvent(const std::string& name) const {
    for (const auto& e : events)
        if (EqualsNoCase(e.name, name)) return &e;
    return nullptr;
}

bool ClassInfo::hasMember(const std::string& name) const {
    for (const auto& m : members)
        if (EqualsNoCase(m.name, name)) return true;
    return false;
}

namespace {
const MemberInfo* Resolve(const ClassInfo& ci,
                          const std::function<const MemberInfo*(MemberKind)>& look,
                          MemberKind kind) {
    if (auto m = look(kind)) return m;
    switch (kind) {
        case MemberKind::PropertyPut:
            return look(MemberKind::PropertyPutRef);
        case MemberKind::PropertyPutRef:
            return look(MemberKind::PropertyPut);
        case MemberKind::PropertyGet:
            return look(MemberKind::Method);
        case MemberKind::Method:
            return look(MemberKind::PropertyGet);
    }
    (void)ci;
    return nullptr;
}

const ClassInfo& InfoOf(Object& target) {
    const ClassInfo* ci = target.typeInfo();
    if (!ci) Raise(438);
    return *ci;
}
}  // namespace

Variant InvokeMember(Object& target, const MemberInfo& m, Args& args) {
    if (args.size() > m.params.size())
        Raise(450, "Wrong number of arguments or invalid property assignment (" + m.name +
                       " takes at most " + std::to_string(m.params.size()) + ")");
    Args converted;
    converted.reserve(m.params.size());
    for (size_t i = 0; i < m.params.size(); ++i) {
        const ParamInfo& p = m.params[i];
        bool missing =
            i >= args.size() || (p.optional && args[i].isEmpty() && p.type != VarType::Any);
        if (missing) {
            if (!p.optional) Raise(449, "Argument not optional: '" + p.name + "' of " + m.name);
            converted.push_back(p.defaultValue);
            continue;
        }
        try {
            converted.push_back(args[i].convertTo(p.type));
        } catch (const RaisedError& e) {
            Raise(e.number(), e.description() + ": argument '" + p.name + "' of " + m.name);
        }
    }
    Variant result = m.fn(target, converted);
    for (size_t i = 0; i < args.size() && i < converted.size(); ++i)
        if (m.params[i].byRef) args[i] = converted[i];
    return result;
}

Variant Invoke(Object& target, const std::string& name, MemberKind kind, Args& args) {
    const ClassInfo& ci = InfoOf(target);
    // No name: the default member, the one with id 0, as when a host reads a control's value.
    if (name.empty()) {
        if (!Resolve(
                ci, [&](MemberKind k) { return ci.find(0, k); }, kind))
            Raise(438, "Object doesn't support this property or method: it has no default member");
        return Invoke(target, 0, kind, args);
    }
    const MemberInfo* m = Resolve(
        ci, [&](MemberKind k) { return ci.find(name, k); }, kind);
    if (!m) {
        if (ci.hasMember(name)) {
            if (kind == MemberKind::PropertyPut || kind == MemberKind::PropertyPutRef)
                Raise(383, "Set not supported (read-only property): " + name);
            Raise(438, "Object doesn't support this property or method: " + name);
        }
        Raise(438, "Object doesn't support this property or method: " + name);
    }
    return InvokeMember(target, *m, args);
}

Variant Invoke(Object& target, int32_t dispid, MemberKind kind, Args& args) {
    const ClassInfo& ci = InfoOf(target);
    const MemberInfo* m = Resolve(
        ci, [&](MemberKind k) { return ci.find(dispid, k); }, kind);
    if (!m) Raise(438);
    return InvokeMember(target, *m, args);
}

}  // namespace ctl
