#include "platform/db/DbValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/com/RaisedError.h"
#include "platform/db/DbErrors.h"

namespace ctl::db {

std::string NumberLiteral(double v, int digits) {
    if (v == 0) return "0";
    if (!std::isfinite(v)) Raise(errDbUsage, "A number that is not finite cannot be written");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    std::string s = buf, exp;
    size_t e = s.find('E');
    if (e != std::string::npos) {
        exp = s.substr(e);
        s.resize(e);
    }
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return s + exp;
}

std::string QuoteSql(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

namespace {
// The number its seven-significant-digit text reads back as (the text itself is not needed:
// this runs for every stored point).
double SevenDigits(float f) {
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, double(f), std::chars_format::general, 7);
    double d = 0;
    std::from_chars(buf, written.ptr, d);
    return d;
}
}  // namespace

Value Value::FromSingle(float f) {
    Value v;
    v.kind_ = Single;
    // Whole numbers below 10^7 are their own seven-digit text; the rest go through the text.
    if (std::isfinite(f) && std::fabs(f) < 1e7f && f == std::trunc(f))
        v.d_ = double(f);
    else
        v.d_ = SevenDigits(f);
    return v;
}

int64_t Value::asInteger() const {
    switch (kind_) {
        case Integer:
            return i_;
        case Real:
        case Single:
            if (!(std::fabs(d_) < 9.2e18)) Raise(errOverflow);
            return int64_t(std::llround(d_));
        case Text: {
            char* end = nullptr;
            long long n = std::strtoll(s_.c_str(), &end, 10);
            if (end == s_.c_str() || *end != 0) Raise(errTypeMismatch);
            return n;
        }
        case Null:
            break;
    }
    Raise(94, "Invalid use of Null");
}

double Value::asDouble() const {
    switch (kind_) {
        case Integer:
            return double(i_);
        case Real:
        case Single:
            return d_;
        case Text: {
            char* end = nullptr;
            double d = std::strtod(s_.c_str(), &end);
            if (end == s_.c_str() || *end != 0) Raise(errTypeMismatch);
            return d;
        }
        case Null:
            break;
    }
    Raise(94, "Invalid use of Null");
}

std::string Value::asText() const {
    switch (kind_) {
        case Integer:
            return std::to_string(i_);
        case Real:
            return NumberLiteral(d_, 15);
        case Single:
            return NumberLiteral(d_, 7);
        case Text:
            return s_;
        case Null:
            break;
    }
    return {};
}

std::string Value::literal() const {
    switch (kind_) {
        case Text:
            return "'" + QuoteSql(s_) + "'";
        case Null:
            return "NULL";
        default:
            return asText();
    }
}

}  // namespace ctl::db
