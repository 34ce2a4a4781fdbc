#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/com/Variant.h"

namespace ctl {

enum class MemberKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

struct ParamInfo {
    std::string name;
    VarType type = VarType::Any;
    bool optional = false;
    Variant defaultValue;  // for an optional parameter
    bool byRef = false;
};

using Args = std::vector<Variant>;
using MemberFn = std::function<Variant(Object&, Args&)>;

struct MemberInfo {
    std::string name;
    int32_t dispid = 0;
    MemberKind kind = MemberKind::Method;
    std::vector<ParamInfo> params;  // for a property put, the index parameters then the value
    VarType result = VarType::Empty;
    std::string resultTypeName;  // enumeration or object type name when not plain
    std::string help;
    bool hidden = false;
    MemberFn fn;
};

struct EventInfo {
    std::string name;
    int32_t dispid = 0;
    std::vector<ParamInfo> params;
    std::string help;
};

struct EnumInfo {
    std::string name;
    struct Item {
        std::string name;
        int32_t value;
        std::string help;
    };
    std::vector<Item> items;
};

// The type table of a class: members in interface order, events and enumerations.
class ClassInfo {
  public:
    std::string progId;  // "Library.Class"
    std::string help;
    std::vector<MemberInfo> members;
    std::vector<EventInfo> events;
    std::vector<EnumInfo> enums;

    // Case-insensitive look-ups; null when absent.
    const MemberInfo* find(const std::string& name, MemberKind kind) const;
    const MemberInfo* find(int32_t dispid, MemberKind kind) const;
    const EventInfo* findEvent(const std::string& name) const;
    bool hasMember(const std::string& name) const;
};

// Invokes a member with argument conversion: missing optional arguments take their default,
// each argument is converted to its parameter type, and by-reference arguments come back
// changed. Raises 438 for an unknown member, 449/450 for a wrong number of arguments and 13
// for an argument that cannot be converted. A put accepts a put-by-reference member too, and
// a get accepts a method (and a method call a get), as hosts expect.
Variant Invoke(Object& target, const std::string& name, MemberKind kind, Args& args);
Variant Invoke(Object& target, int32_t dispid, MemberKind kind, Args& args);
Variant InvokeMember(Object& target, const MemberInfo& m, Args& args);

// Builds a type table for class T with typed handlers.
template <class T>
class ClassBuilder {
  public:
    explicit ClassBuilder(ClassInfo& info) : info_(info) {}
    using Fn = std::function<Variant(T&, Args&)>;

    ClassBuilder& method(const std::string& name, int32_t dispid, VarType result,
                         std::vector<ParamInfo> params, const std::string& help, Fn fn,
                         bool hidden = false) {
        add(name, dispid, MemberKind::Method, result, std::move(params), help, std::move(fn),
            hidden);
        return *this;
    }
    ClassBuilder& get(const std::string& name, int32_t dispid, VarType type,
                      const std::string& help, Fn fn, bool hidden = false,
                      std::vector<ParamInfo> index = {}) {
        add(name, dispid, MemberKind::PropertyGet, type, std::move(index), help, std::move(fn),
            hidden);
        return *this;
    }
    ClassBuilder& put(const std::string& name, int32_t dispid, VarType type,
                      const std::string& help, Fn fn, bool hidden = false,
                      std::vector<ParamInfo> index = {}, bool byRef = false) {
        index.push_back({"Value", type, false, {}, false});
        add(name, dispid, byRef ? MemberKind::PropertyPutRef : MemberKind::PropertyPut,
            VarType::Empty, std::move(index), help, std::move(fn), hidden);
        return *this;
    }
    // A read/write property without index parameters.
    ClassBuilder& property(const std::string& name, int32_t dispid, VarType type,
                           const std::string& help, std::function<Variant(T&)> getter,
                           std::function<void(T&, const Variant&)> setter, bool hidden = false) {
        get(
            name, dispid, type, help, [getter](T& t, Args&) { return getter(t); }, hidden);
        if (setter)
            put(
                name, dispid, type, help,
                [setter](T& t, Args& a) {
                    setter(t, a.back());
                    return Variant();
                },
                hidden);
        return *this;
    }
    ClassBuilder& event(const std::string& name, int32_t dispid, std::vector<ParamInfo> params,
                        const std::string& help) {
        info_.events.push_back({name, dispid, std::move(params), help});
        return *this;
    }
    ClassBuilder& enumeration(EnumInfo e) {
        info_.enums.push_back(std::move(e));
        return *this;
    }
    // Names the enumeration or object type of the member added last.
    ClassBuilder& typed(const std::string& typeName) {
        info_.members.back().resultTypeName = typeName;
        return *this;
    }

  private:
    void add(const std::string& name, int32_t dispid, MemberKind kind, VarType result,
             std::vector<ParamInfo> params, const std::string& help, Fn fn, bool hidden) {
        MemberInfo m;
        m.name = name;
        m.dispid = dispid;
        m.kind = kind;
        m.result = result;
        m.params = std::move(params);
        m.help = help;
        m.hidden = hidden;
        m.fn = [fn = std::move(fn)](Object& o, Args& a) { return fn(static_cast<T&>(o), a); };
        info_.members.push_back(std::move(m));
    }
    ClassInfo& info_;
};

// Parameter shorthands.
inline ParamInfo Param(const std::string& name, VarType t) {
    return {name, t, false, {}, false};
}
inline ParamInfo RefParam(const std::string& name, VarType t) {
    return {name, t, false, {}, true};
}
inline ParamInfo OptParam(const std::string& name, VarType t, Variant def) {
    return {name, t, true, std::move(def), false};
}

}  // namespace ctl
