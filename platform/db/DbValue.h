#pragma once
#include <cstdint>
#include <string>

namespace ctl::db {

// One value of a statement or of a record: nothing, an integer, a double, a single-precision
// number (held as the double its seven-digit text stands for) or text.
class Value {
  public:
    enum Kind { Null, Integer, Real, Single, Text };

    Value() = default;
    Value(int64_t i) : kind_(Integer), i_(i) {}
    Value(int32_t i) : kind_(Integer), i_(i) {}
    Value(int16_t i) : kind_(Integer), i_(i) {}
    Value(double d) : kind_(Real), d_(d) {}
    Value(std::string s) : kind_(Text), s_(std::move(s)) {}
    Value(const char* s) : kind_(Text), s_(s) {}
    // A single-precision number as its general text form (seven significant digits) reads back.
    static Value FromSingle(float f);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Null; }
    int64_t asInteger() const;   // raises on text that is not a number, and on Null
    double asDouble() const;     // likewise
    std::string asText() const;  // Null as ""
    const std::string& text() const { return s_; }  // the text of a Text value

    // The value as a literal of a statement: digits, a number with "." as decimal separator
    // whatever the user's locale, text between apostrophes with each apostrophe doubled, NULL.
    std::string literal() const;

  private:
    Kind kind_ = Null;
    int64_t i_ = 0;
    double d_ = 0;
    std::string s_;
};

// A number as the general conversion writes it with `digits` significant digits (no digit
// grouping, trailing zeros dropped, "E+07" style exponents), always with "." as separator.
std::string NumberLiteral(double v, int digits);
// The text with every apostrophe doubled.
std::string QuoteSql(const std::string& text);

}  // namespace ctl::db
