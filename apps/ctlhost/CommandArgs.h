#pragma once
// Reading the arguments of a ctlhost command line; each failure raises a clear error.
#include <climits>
#include <cmath>
#include <string>

#include "platform/com/Json.h"
#include "platform/com/RaisedError.h"

namespace ctlhost {

using ctl::errOverflow;
using ctl::errTypeMismatch;
using ctl::Raise;

inline const ctl::Json& Arg(const ctl::Json& cmd, size_t i, const char* what) {
    if (i >= cmd.items.size()) Raise(450, std::string("Missing argument: ") + what);
    return cmd.items[i];
}

inline std::string Text(const ctl::Json& cmd, size_t i, const char* what) {
    const ctl::Json& j = Arg(cmd, i, what);
    if (j.kind != ctl::Json::String)
        Raise(errTypeMismatch, std::string("Expected text for ") + what);
    return j.s;
}

inline double Number(const ctl::Json& cmd, size_t i, const char* what) {
    const ctl::Json& j = Arg(cmd, i, what);
    if (j.kind != ctl::Json::Number || !std::isfinite(j.n))
        Raise(errTypeMismatch, std::string("Expected a number for ") + what);
    return j.n;
}

inline int Int(const ctl::Json& cmd, size_t i, const char* what) {
    double d = Number(cmd, i, what);
    if (d < INT_MIN || d > INT_MAX) Raise(errOverflow);
    return int(d);
}

}  // namespace ctlhost
