#pragma once
#include <cstdint>
#include <optional>

namespace ctl {

// Day numbers: day 0 is 30 December 1899; the fraction of a day is the time.
struct CivilDate {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

constexpr double kMinDateSerial = -657434.0;    // 1 January 100
constexpr double kMaxDateSerial = 2958465.999;  // 31 December 9999, end of day

bool IsValidDateSerial(double serial);
bool IsValidCivilDate(int year, int month, int day);
// Serial of a calendar day (raises nothing; check with IsValidCivilDate first).
double DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);
// Calendar date and time of a serial (the whole part is the day, counted toward zero).
// Raises 6 (overflow) for a serial outside 1 January 100 to 31 December 9999.
CivilDate SerialToCivil(double serial);

// Clock: "now" can be fixed by tests and hosts; nothing else reads the real clock.
namespace Clock {
double Now();  // date and time as a serial
double Today();
int CurrentYear();
void SetNow(std::optional<double> fixedSerial);
// Milliseconds from a monotonic clock (for delays; unaffected by midnight or clock changes).
int64_t MonotonicMs();
}  // namespace Clock

}  // namespace ctl
