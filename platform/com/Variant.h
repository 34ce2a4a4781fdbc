#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace ctl {

class ClassInfo;

// Base of every object a Variant can hold (fonts, pictures, points, controls). Objects are
// shared by reference, as component objects are.
class Object {
  public:
    virtual ~Object() = default;
    // The type table that makes the object reachable by name, if it has one.
    virtual const ClassInfo* typeInfo() const { return nullptr; }
    virtual std::string typeName() const { return "Object"; }
};
using ObjectPtr = std::shared_ptr<Object>;

enum class VarType { Empty, Boolean, Integer, Long, Single, Double, Date, String, Object, Any };

const char* VarTypeName(VarType t);

// A date held as a day number counted from 30 December 1899, the fraction being the time.
struct DateValue {
    double serial = 0;
    // Spelt out: the public headers also compile as C++17 (pkg-config users pick their own).
    bool operator==(const DateValue& o) const { return serial == o.serial; }
};

// The value type of the component interface: empty, boolean, 16/32-bit integers, single,
// double, date, text or object. Conversions follow the runtime's rules and raise
// RaisedError 13 (type mismatch) or 6 (overflow) like it does.
class Variant {
  public:
    Variant() = default;
    Variant(bool b) : v_(b) {}
    Variant(int16_t i) : v_(i) {}
    Variant(int32_t i) : v_(i) {}
    Variant(float f) : v_(f) {}
    Variant(double d) : v_(d) {}
    Variant(DateValue d) : v_(d) {}
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(ObjectPtr o) : v_(std::move(o)) {}

    // A date; raises 6 (overflow) outside 1 January 100 to 31 December 9999.
    static Variant Date(double serial);

    VarType type() const {
        // In the order of the alternatives below; inline, as plotting asks it per coordinate.
        static constexpr VarType kinds[] = {VarType::Empty, VarType::Boolean, VarType::Integer,
                                            VarType::Long,  VarType::Single,  VarType::Double,
                                            VarType::Date,  VarType::String,  VarType::Object};
        return kinds[v_.index()];
    }
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isString() const { return type() == VarType::String; }
    bool isDate() const { return type() == VarType::Date; }
    bool isObject() const { return type() == VarType::Object; }
    bool isNumber() const;  // a numeric type (boolean included), not text

    bool toBool() const;
    int16_t toInt16() const;
    int32_t toInt32() const;
    float toSingle() const;
    double toDouble() const {
        // Plotted coordinates are nearly always doubles already.
        if (const double* d = std::get_if<double>(&v_)) return *d;
        return convertToDouble();
    }
    double toDateSerial() const;  // as a date: raises 13 when it is none
    std::string toString() const;
    ObjectPtr toObject() const;  // raises 13 unless an object (empty gives null)

    // Converts to the given type (Any keeps the value as it is).
    Variant convertTo(VarType t) const;

    bool operator==(const Variant& o) const { return v_ == o.v_; }

  private:
    double convertToDouble() const;
    std::variant<std::monostate, bool, int16_t, int32_t, float, double, DateValue, std::string,
                 ObjectPtr>
        v_;
};

// The runtime's IsNumeric and IsDate.
bool IsNumeric(const Variant& v);
bool IsDate(const Variant& v);
// A date for the purpose of plotting and keys: a date value, or a text that reads as a date
// but not as a number ("1.5" stays a number even where it could read as 1 May).
inline bool IsDateNotNumber(const Variant& v) {
    if (v.type() == VarType::Date) return true;
    return v.type() == VarType::String && !IsNumeric(v) && IsDate(v);
}

// Rounds half to even, as the runtime's integer conversions do.
double RoundHalfEven(double x);

}  // namespace ctl
