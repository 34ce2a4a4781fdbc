#pragma once
// Small helpers shared by the test programs.
#include <string>

#include "platform/com/RaisedError.h"
#include "platform/sys/Locale.h"

// Runs fn and returns the number of the error it raised (0 for none), keeping its text.
template <class Fn>
int ErrorOf(Fn fn, std::string* text = nullptr) {
    try {
        fn();
    } catch (const ctl::RaisedError& e) {
        if (text) *text = e.description();
        return e.number();
    }
    return 0;
}

// Uses a locale for the lifetime of the guard, then returns to the tests' own (UK).
struct LocaleGuard {
    explicit LocaleGuard(const ctl::LocaleInfo& l) { ctl::Locale::SetCurrent(l); }
    ~LocaleGuard() { ctl::Locale::SetCurrent(ctl::LocaleInfo::UK()); }
};
