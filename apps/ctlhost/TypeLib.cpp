#include "apps/ctlhost/TypeLib.h"

#include "apps/ctlhost/ValueJson.h"

namespace ctlhost {

using ctl::Json;
using ctl::MemberKind;
using ctl::VarType;

const char* KindName(MemberKind kind) {
    switch (kind) {
        case MemberKind::Method:
            return "method";
        case MemberKind::PropertyGet:
            return "get";
        case MemberKind::PropertyPut:
            return "let";
        case MemberKind::PropertyPutRef:
            return "set";
    }
    return "?";
}

std::string TypeName(VarType type, const std::string& typed) {
    if (!typed.empty()) return typed;
    if (type == VarType::Empty) return "";
    return ctl::VarTypeName(type);
}

std::string ParamTypeName(const ctl::MemberInfo& m, size_t param) {
    const ctl::ParamInfo& p = m.params.at(param);
    const bool value =
        (m.kind == MemberKind::PropertyPut || m.kind == MemberKind::PropertyPutRef) &&
        param + 1 == m.params.size();
    return TypeName(p.type, value ? m.resultTypeName : std::string());
}

std::string ClassName(const ctl::ClassInfo& ci) {
    size_t dot = ci.progId.find('.');
    return dot == std::string::npos ? ci.progId : ci.progId.substr(dot + 1);
}

namespace {
Json ParamsJson(const std::vector<ctl::ParamInfo>& params,
                const std::function<std::string(size_t)>& typeOf) {
    Json out = Json::array();
    for (size_t i = 0; i < params.size(); ++i) {
        const ctl::ParamInfo& p = params[i];
        out.items.push_back(
            Json::object({{"name", Json::string(p.name)},
                          {"type", Json::string(typeOf(i))},
                          {"optional", Json::boolean(p.optional)},
                          {"default", p.optional ? FromVariant(p.defaultValue) : Json()},
                          {"byref", Json::boolean(p.byRef)}}));
    }
    return out;
}
}  // namespace

Json TypeLibJson(const ctl::ControlClass& cls) {
    const ctl::ClassInfo& ci = cls.typeInfo();
    Json members = Json::array();
    for (const auto& m : ci.members) {
        const bool get = m.kind == MemberKind::PropertyGet || m.kind == MemberKind::Method;
        members.items.push_back(Json::object(
            {{"name", Json::string(m.name)},
             {"id", Json::number(m.dispid)},
             {"kind", Json::string(KindName(m.kind))},
             {"params", ParamsJson(m.params, [&](size_t i) { return ParamTypeName(m, i); })},
             {"result", Json::string(get ? TypeName(m.result, m.resultTypeName) : "")},
             {"help", Json::string(m.help)},
             {"hidden", Json::boolean(m.hidden)}}));
    }
    Json events = Json::array();
    for (const auto& e : ci.events)
        events.items.push_back(Json::object(
            {{"name", Json::string(e.name)},
             {"id", Json::number(e.dispid)},
             {"params", ParamsJson(e.params, [&](size_t i) { return TypeName(e.params[i].type); })},
             {"help", Json::string(e.help)}}));
    Json enums = Json::array();
    for (const auto& en : ci.enums) {
        Json items = Json::array();
        for (const auto& it : en.items)
            items.items.push_back(Json::object({{"name", Json::string(it.name)},
                                                {"value", Json::number(it.value)},
                                                {"help", Json::string(it.help)}}));
        enums.items.push_back(
            Json::object({{"name", Json::string(en.name)}, {"members", std::move(items)}}));
    }
    const ctl::LibraryInfo& lib = cls.library;
    return Json::object({{"library", Json::object({{"name", Json::string(lib.name)},
                                                   {"help", Json::string(lib.help)},
                                                   {"version", Json::string(lib.version)},
                                                   {"locale", Json::number(lib.locale)}})},
                         {"class", Json::string(ClassName(ci))},
                         {"members", std::move(members)},
                         {"events", std::move(events)},
                         {"enums", std::move(enums)}});
}

}  // namespace ctlhost
