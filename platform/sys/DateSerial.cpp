#include "platform/sys/DateSerial.h"

#include <QDateTime>
#include <chrono>
#include <cmath>

#include "platform/com/RaisedError.h"

namespace ctl {

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}
void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t yy = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yy + (m <= 2));
}
const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

std::optional<double> g_fixedNow;
}  // namespace

// The whole part counts days toward zero, so the times of 1 January 100 lie between it and
// the day before.
bool IsValidDateSerial(double s) {
    return std::isfinite(s) && s > kMinDateSerial - 1.0 && s < std::floor(kMaxDateSerial) + 1.0;
}

bool IsValidCivilDate(int y, int m, int d) {
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    static const int len[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= len[m - 1] + (m == 2 && leap ? 1 : 0);
}

double DateSerial(int y, int m, int d) {
    return double(DaysFromCivil(y, unsigned(m), unsigned(d)) - kEpoch);
}

double TimeSerial(int h, int n, int s) {
    return (h * 3600.0 + n * 60.0 + s) / 86400.0;
}

CivilDate SerialToCivil(double serial) {
    if (!IsValidDateSerial(serial)) Raise(errOverflow);
    CivilDate c;
    double day = std::trunc(serial);
    double frac = std::fabs(serial - day);
    int64_t secs = std::llround(frac * 86400.0);
    if (secs >= 86400) {  // rounding reached the next day
        secs = 0;
        day += serial < 0 ? -1 : 1;
        // The calendar's range holds for the rounded date too: 23:59:59.9 of its last day does
        // not become a day after it.
        if (day < kMinDateSerial || day > std::floor(kMaxDateSerial)) Raise(errOverflow);
    }
    CivilFromDays(int64_t(day) + kEpoch, c.year, c.month, c.day);
    c.hour = int(secs / 3600);
    c.minute = int(secs / 60 % 60);
    c.second = int(secs % 60);
    return c;
}

namespace Clock {
double Now() {
    if (g_fixedNow) return *g_fixedNow;
    QDateTime t = QDateTime::currentDateTime();
    QDate d = t.date();
    QTime tm = t.time();
    return DateSerial(d.year(), d.month(), d.day()) +
           TimeSerial(tm.hour(), tm.minute(), tm.second());
}
double Today() {
    return std::floor(Now());
}
int CurrentYear() {
    return SerialToCivil(Today()).year;
}
void SetNow(std::optional<double> fixedSerial) {
    g_fixedNow = fixedSerial;
}
int64_t MonotonicMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace Clock

}  // namespace ctl
