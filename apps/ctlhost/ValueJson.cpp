#include "apps/ctlhost/ValueJson.h"

#include <cmath>

#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"

namespace ctlhost {

using namespace ctl;

Variant ToVariant(const Json& j) {
    switch (j.kind) {
        case Json::Null:
            return Variant();
        case Json::Bool:
            return Variant(j.b);
        case Json::Number:
            if (std::trunc(j.n) == j.n && std::fabs(j.n) <= 2147483647.0)
                return Variant(int32_t(j.n));
            return Variant(j.n);
        case Json::String:
            return Variant(j.s);
        case Json::Object: {
            if (const Json* d = j.find("date")) {
                if (d->kind == Json::Number) return Variant::Date(d->n);
                if (d->kind == Json::String) return Variant::Date(Variant(d->s).toDateSerial());
            }
            if (const Json* f = j.find("font")) {
                auto font = std::make_shared<Font>();
                if (auto* n = f->find("name"); n && n->kind == Json::String) font->Name = n->s;
                if (auto* n = f->find("size"); n && n->kind == Json::Number) font->Size = n->n;
                if (auto* n = f->find("bold"); n && n->kind == Json::Bool) font->Bold = n->b;
                if (auto* n = f->find("italic"); n && n->kind == Json::Bool) font->Italic = n->b;
                if (auto* n = f->find("underline"); n && n->kind == Json::Bool)
                    font->Underline = n->b;
                return Variant(ObjectPtr(font));
            }
            if (const Json* p = j.find("picture")) {
                if (p->kind == Json::Null || (p->kind == Json::String && p->s.empty()))
                    return Variant(ObjectPtr(EmptyPicture()));
                if (p->kind == Json::String) return Variant(ObjectPtr(LoadPicture(p->s)));
            }
            Raise(errTypeMismatch, "Type mismatch: unknown value object " + j.dump());
        }
        default:
            Raise(errTypeMismatch, "Type mismatch: arrays are not values");
    }
}

Json FromVariant(const Variant& v, int depth) {
    switch (v.type()) {
        case VarType::Empty:
            return Json();
        case VarType::Boolean:
            return Json::boolean(v.toBool());
        case VarType::String:
            return Json::string(v.toString());
        case VarType::Date:
            return Json::object({{"date", Json::number(v.toDateSerial())}});
        case VarType::Object: {
            ObjectPtr o = v.toObject();
            if (!o) return Json::object({{"object", Json()}});
            Json out = Json::object({{"object", Json::string(o->typeName())}});
            if (auto f = std::dynamic_pointer_cast<Font>(o)) {
                out.set("name", Json::string(f->Name));
                out.set("size", Json::number(f->Size));
                out.set("bold", Json::boolean(f->Bold));
                out.set("italic", Json::boolean(f->Italic));
            } else if (auto p = std::dynamic_pointer_cast<Picture>(o)) {
                out.set("handle", Json::number(p->Handle()));
            } else if (const ClassInfo* ci = o->typeInfo(); ci && depth < 2) {
                for (const auto& m : ci->members) {
                    if (m.kind != MemberKind::PropertyGet || !m.params.empty()) continue;
                    try {
                        Args none;
                        out.set(m.name, FromVariant(InvokeMember(*o, m, none), depth + 1));
                    } catch (const RaisedError&) {
                    }
                }
            }
            return out;
        }
        default:
            return Json::number(v.toDouble());
    }
}

}  // namespace ctlhost
