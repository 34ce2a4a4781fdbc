#pragma once
#include <stdexcept>
#include <string>

namespace ctl {

// Standard error numbers of the runtime that the controls rely on.
enum StdError : int {
    errInvalidCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscript = 9,
    errTypeMismatch = 13,
    errSetNotSupported = 382,
};

// The runtime's own description for a standard error number ("" when it has none).
std::string StandardErrorText(int number);

// An error raised to a caller: a number and a description, as hosts see it.
class RaisedError : public std::runtime_error {
  public:
    RaisedError(int number, std::string description);
    explicit RaisedError(int number);  // with the runtime's standard text
    int number() const { return number_; }
    const std::string& description() const { return description_; }

  private:
    int number_;
    std::string description_;
};

// Raises `number` with its standard text.
[[noreturn]] void Raise(int number);
[[noreturn]] void Raise(int number, const std::string& description);

}  // namespace ctl
