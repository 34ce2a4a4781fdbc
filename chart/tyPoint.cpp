#include "chart/tyPoint.h"

#include "platform/com/TypeInfo.h"

namespace {
ctl::ClassInfo BuildTypeInfo() {
    using ctl::VarType;
    ctl::ClassInfo info;
    info.progId = "Karvex.tyPoint";
    info.help = "A point of the series";
    ctl::ClassBuilder<tyPoint> b(info);
    b.property(
        "X", 1, VarType::Any, "X coordinate", [](tyPoint& p) { return p.X; },
        [](tyPoint& p, const ctl::Variant& v) { p.X = v; });
    b.property(
        "Y", 2, VarType::Any, "Y coordinate", [](tyPoint& p) { return p.Y; },
        [](tyPoint& p, const ctl::Variant& v) { p.Y = v; });
    b.property(
        "Index", 3, VarType::Long, "Position of the point when it was added",
        [](tyPoint& p) { return ctl::Variant(p.Index); }, nullptr);
    return info;
}
}  // namespace

const ctl::ClassInfo* tyPoint::typeInfo() const {
    static const ctl::ClassInfo info = BuildTypeInfo();
    return &info;
}
