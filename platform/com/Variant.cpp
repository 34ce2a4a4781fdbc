#include "platform/com/Variant.h"

#include <cmath>
#include <limits>

#include "platform/com/RaisedError.h"
#include "platform/sys/Locale.h"

namespace ctl {

const char* VarTypeName(VarType t) {
    switch (t) {
        case VarType::Empty:
            return "Empty";
        case VarType::Boolean:
            return "Boolean";
        case VarType::Integer:
            return "Integer";
        case VarType::Long:
            return "Long";
        case VarType::Single:
            return "Single";
        case VarType::Double:
            return "Double";
        case VarType::Date:
            return "Date";
        case VarType::String:
            return "String";
        case VarType::Object:
            return "Object";
        case VarType::Any:
            return "Variant";
    }
    return "?";
}

bool Variant::isNumber() const {
    switch (type()) {
        case VarType::Boolean:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Single:
        case VarType::Double:
            return true;
        default:
            return false;
    }
}

double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

double Variant::convertToDouble() const {
    switch (type()) {
        case VarType::Empty:
            return 0;
        case VarType::Boolean:
            return std::get<bool>(v_) ? -1 : 0;
        case VarType::Integer:
            return std::get<int16_t>(v_);
        case VarType::Long:
            return std::get<int32_t>(v_);
        case VarType::Single:
            return std::get<float>(v_);
        case VarType::Double:
            return std::get<double>(v_);
        case VarType::Date:
            return std::get<DateValue>(v_).serial;
        case VarType::String: {
            double d;
            if (ParseLocaleNumber(std::get<std::string>(v_), d)) return d;
            Raise(errTypeMismatch);
        }
        default:
            Raise(errTypeMismatch);
    }
}

bool Variant::toBool() const {
    if (type() == VarType::String) {
        const std::string& s = std::get<std::string>(v_);
        std::string t = Trim(s);
        if (EqualsNoCase(t, "True")) return true;
        if (EqualsNoCase(t, "False")) return false;
    }
    return toDouble() != 0;
}

int16_t Variant::toInt16() const {
    double r = RoundHalfEven(toDouble());
    if (!(r >= -32768 && r <= 32767)) Raise(errOverflow);
    return static_cast<int16_t>(r);
}

int32_t Variant::toInt32() const {
    double r = RoundHalfEven(toDouble());
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(errOverflow);
    return static_cast<int32_t>(r);
}

float Variant::toSingle() const {
    double d = toDouble();
    if (std::isnan(d) || std::fabs(d) > std::numeric_limits<float>::max()) Raise(errOverflow);
    return static_cast<float>(d);
}

Variant Variant::Date(double serial) {
    if (!IsValidDateSerial(serial)) Raise(errOverflow);
    return Variant(DateValue{serial});
}

double Variant::toDateSerial() const {
    switch (type()) {
        case VarType::Date:
            return std::get<DateValue>(v_).serial;
        case VarType::String: {
            double serial;
            if (ParseDate(std::get<std::string>(v_), serial)) return serial;
            double d;
            if (ParseLocaleNumber(std::get<std::string>(v_), d) && IsValidDateSerial(d)) return d;
            Raise(errTypeMismatch);
        }
        case VarType::Object:
            Raise(errTypeMismatch);
        default: {
            double d = toDouble();
            if (!IsValidDateSerial(d)) Raise(errOverflow);
            return d;
        }
    }
}

std::string Variant::toString() const {
    switch (type()) {
        case VarType::Empty:
            return "";
        case VarType::Boolean:
            return std::get<bool>(v_) ? "True" : "False";
        case VarType::Integer:
            return std::to_string(std::get<int16_t>(v_));
        case VarType::Long:
            return std::to_string(std::get<int32_t>(v_));
        case VarType::Single:
            return NumberToText(std::get<float>(v_), 7);
        case VarType::Double:
            return NumberToText(std::get<double>(v_), 15);
        case VarType::Date:
            return DateToText(std::get<DateValue>(v_).serial);
        case VarType::String:
            return std::get<std::string>(v_);
        case VarType::Object:
            Raise(errTypeMismatch);
        default:
            Raise(errTypeMismatch);
    }
}

ObjectPtr Variant::toObject() const {
    if (type() == VarType::Empty) return nullptr;
    if (type() != VarType::Object) Raise(errTypeMismatch);
    return std::get<ObjectPtr>(v_);
}

Variant Variant::convertTo(VarType t) const {
    switch (t) {
        case VarType::Empty:
            return Variant();
        case VarType::Boolean:
            return Variant(toBool());
        case VarType::Integer:
            return Variant(toInt16());
        case VarType::Long:
            return Variant(toInt32());
        case VarType::Single:
            return Variant(toSingle());
        case VarType::Double:
            return Variant(toDouble());
        case VarType::Date:
            return Variant::Date(toDateSerial());
        case VarType::String:
            return Variant(toString());
        case VarType::Object:
            return Variant(toObject());
        case VarType::Any:
            return *this;
    }
    return *this;
}

bool IsNumeric(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return true;
        case VarType::String: {
            double d;
            return ParseLocaleNumber(v.toString(), d);
        }
        case VarType::Date:
        case VarType::Object:
            return false;
        default:
            return true;
    }
}

bool IsDate(const Variant& v) {
    if (v.type() == VarType::Date) return true;
    if (v.type() != VarType::String) return false;
    double serial;
    return ParseDate(v.toString(), serial);
}

}  // namespace ctl
