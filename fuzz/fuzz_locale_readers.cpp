// Fuzz target: the locale readers and formats (number, date and the point-decimal "Val" text)
// under each regional setting the controls know. A date that reads must also format.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/com/RaisedError.h"
#include "platform/com/Variant.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Locale.h"

namespace {
const ctl::LocaleInfo& Pick(uint8_t b) {
    static const ctl::LocaleInfo all[] = {ctl::LocaleInfo::UK(), ctl::LocaleInfo::US(),
                                          ctl::LocaleInfo::Italian(), ctl::LocaleInfo::ISO()};
    return all[b % 4];
}

template <class F>
void Guarded(F&& f) {
    try {
        f();
    } catch (const ctl::RaisedError&) {
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    ctl::Locale::SetCurrent(Pick(data[0]));
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    double number = 0;
    if (ctl::ParseLocaleNumber(text, number) && !std::isfinite(number)) std::abort();
    double val = ctl::Val(text);
    if (!std::isfinite(val)) std::abort();

    double serial = 0;
    if (ctl::ParseDate(text, serial)) {
        if (!ctl::IsValidDateSerial(serial)) std::abort();  // a read date is always in range
        ctl::DateToText(serial);
        ctl::FormatDate(serial, "dd/mm/yyyy hh:nn:ss");
    }
    ctl::Variant v(text);
    Guarded([&] { v.toDouble(); });
    Guarded([&] { v.toDateSerial(); });
    Guarded([&] { v.toInt32(); });
    ctl::IsNumeric(v);
    ctl::IsDate(v);
    // The text as a format pattern, for a number and for a date.
    Guarded([&] { ctl::Format(ctl::Variant(-1234.5678), text); });
    Guarded([&] { ctl::Format(ctl::Variant::Date(46364.75), text); });
    Guarded([&] { ctl::FormatNumber(val, text); });
    return 0;
}
