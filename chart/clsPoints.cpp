#include "chart/clsPoints.h"

#include <charconv>
#include <cmath>

#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/sys/Text.h"

namespace {
// Largest suffix counter of a default key, as the counter is 16-bit.
constexpr int32_t kMaxCounter = 32767;

// Shortest decimal text that reads back as the same double, "." as separator and an upper
// case exponent, as the runtime writes numbers.
std::string KeyNumberText(double value) {
    if (value == 0) return "0";  // also -0
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    std::string text(buf, end);
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}
}  // namespace

namespace {
// A coordinate as a number for the default key. A text that reads as a date counts as that
// date's day number, as a date value does, so a series of dates given as text gets keys too;
// any other text that is no number raises the conversion error.
double KeyValue(const ctl::Variant& v) {
    if (v.isString() && ctl::IsDateNotNumber(v)) return v.toDateSerial();
    return v.toDouble();
}
}  // namespace

std::string clsPoints::PointKey(const ctl::Variant& X, const ctl::Variant& Y) {
    return KeyNumberText(KeyValue(X)) + ":" + KeyNumberText(KeyValue(Y));
}

std::string clsPoints::FreeDefaultKey(const ctl::Variant& X, const ctl::Variant& Y) {
    std::string base = PointKey(X, Y);
    if (!Find(base)) return base;
    std::string folded = ctl::FoldCase(base);
    int32_t counter = lastCounter_[folded];
    std::string key;
    do {
        if (++counter > kMaxCounter) ctl::Raise(ctl::errOverflow);
        key = base + "," + std::to_string(counter);
    } while (Find(key));
    lastCounter_[folded] = counter;
    return key;
}

const tyPointPtr* clsPoints::Find(const std::string& key) const {
    auto it = byKey_.find(ctl::FoldCase(key));
    return it == byKey_.end() ? nullptr : &items_[it->second];
}

void clsPoints::Add(const ctl::Variant& X, const ctl::Variant& Y, const std::string& Key) {
    std::string key = ctl::Trim(Key);
    if (key.empty())
        key = FreeDefaultKey(X, Y);
    else if (Find(key))
        ctl::Raise(457);
    auto point = std::make_shared<tyPoint>();
    point->X = X;
    point->Y = Y;
    point->Index = Count() + 1;
    byKey_.emplace(ctl::FoldCase(key), items_.size());
    items_.push_back(std::move(point));
}

void clsPoints::Clear() {
    while (!items_.empty()) items_.pop_back();  // last to first, as points are released
    byKey_.clear();
    lastCounter_.clear();
}

tyPointPtr clsPoints::Item(const ctl::Variant& Index) const {
    if (Index.isString()) {
        const tyPointPtr* found = Find(Index.toString());
        if (!found) ctl::Raise(ctl::errInvalidCall);
        return *found;
    }
    if (!Index.isNumber() && !Index.isDate()) ctl::Raise(ctl::errInvalidCall);
    double position = ctl::RoundHalfEven(Index.toDouble());
    if (!(position >= 1 && position <= double(items_.size()))) ctl::Raise(ctl::errInvalidCall);
    return items_[size_t(position) - 1];
}

int32_t clsPoints::Index(const std::string& Key) const {
    const tyPointPtr* found = Find(Key);
    if (!found) ctl::Raise(ctl::errInvalidCall);
    return (*found)->Index;
}

namespace {
ctl::ClassInfo BuildTypeInfo() {
    using ctl::VarType;
    ctl::ClassInfo info;
    info.progId = "Karvex.clsPoints";
    info.help = "The points of a chart";
    ctl::ClassBuilder<clsPoints> b(info);
    b.method("Item", 0, VarType::Object, {ctl::Param("Index", VarType::Any)},
             "A point by position or key",
             [](clsPoints& c, ctl::Args& a) { return ctl::Variant(ctl::ObjectPtr(c.Item(a[0]))); })
        .typed("tyPoint");
    b.method("Add", 1, VarType::Empty,
             {ctl::Param("X", VarType::Any), ctl::Param("Y", VarType::Any),
              ctl::OptParam("Key", VarType::String, ctl::Variant(""))},
             "Appends a point", [](clsPoints& c, ctl::Args& a) {
                 c.Add(a[0], a[1], a[2].toString());
                 return ctl::Variant();
             });
    b.method("Clear", 2, VarType::Empty, {}, "Removes every point", [](clsPoints& c, ctl::Args&) {
        c.Clear();
        return ctl::Variant();
    });
    b.get("Count", 3, VarType::Long, "Number of points",
          [](clsPoints& c, ctl::Args&) { return ctl::Variant(c.Count()); });
    b.method("Index", 4, VarType::Long, {ctl::Param("Key", VarType::String)},
             "Position of the point under a key when it was added",
             [](clsPoints& c, ctl::Args& a) { return ctl::Variant(c.Index(a[0].toString())); });
    return info;
}
}  // namespace

const ctl::ClassInfo* clsPoints::typeInfo() const {
    static const ctl::ClassInfo info = BuildTypeInfo();
    return &info;
}
