#include "SampleData.h"

#include <cmath>

namespace demo {

const std::vector<CodeRow>& Countries() {
    static const std::vector<CodeRow> rows = {
        {"AR", "Argentina", 54},    {"AT", "Austria", 43},        {"AU", "Australia", 61},
        {"BE", "Belgium", 32},      {"BR", "Brazil", 55},         {"CA", "Canada", 1},
        {"CH", "Switzerland", 41},  {"CL", "Chile", 56},          {"CN", "China", 86},
        {"CZ", "Czechia", 420},     {"DE", "Germany", 49},        {"DK", "Denmark", 45},
        {"EG", "Egypt", 20},        {"ES", "Spain", 34},          {"FI", "Finland", 358},
        {"FR", "France", 33},       {"GB", "United Kingdom", 44}, {"GR", "Greece", 30},
        {"HR", "Croatia", 385},     {"HU", "Hungary", 36},        {"IE", "Ireland", 353},
        {"IN", "India", 91},        {"IS", "Iceland", 354},       {"IT", "Italy", 39},
        {"JP", "Japan", 81},        {"KE", "Kenya", 254},         {"KR", "South Korea", 82},
        {"MA", "Morocco", 212},     {"MT", "Malta", 356},         {"MX", "Mexico", 52},
        {"NL", "Netherlands", 31},  {"NO", "Norway", 47},         {"NZ", "New Zealand", 64},
        {"PE", "Peru", 51},         {"PL", "Poland", 48},         {"PT", "Portugal", 351},
        {"RO", "Romania", 40},      {"SE", "Sweden", 46},         {"SI", "Slovenia", 386},
        {"SK", "Slovakia", 421},    {"TN", "Tunisia", 216},       {"TR", "Turkey", 90},
        {"US", "United States", 1}, {"UY", "Uruguay", 598},       {"ZA", "South Africa", 27},
    };
    return rows;
}

const std::vector<CodeRow>& Products() {
    static const std::vector<CodeRow> rows = {
        {"BLT-0840", "Hex bolt M8 x 40, zinc plated", 1200},
        {"BLT-1060", "Hex bolt M10 x 60, stainless", 640},
        {"NUT-0800", "Hex nut M8, grade 8", 5400},
        {"WSH-0817", "Flat washer 8.4 x 17 mm", 9100},
        {"SCR-4035", "Wood screw 4 x 35, countersunk", 7600},
        {"ANC-0850", "Wall anchor 8 x 50, nylon", 2300},
        {"HNG-7550", "Butt hinge 75 x 50, brass", 310},
        {"BRK-2020", "Angle bracket 20 x 20, steel", 880},
        {"CBL-2515", "Cable 2.5 mm2, 15 m roll", 95},
        {"SWT-1P10", "Switch 1-pole 10 A, white", 420},
        {"SKT-2P16", "Socket 2P+E 16 A, white", 515},
        {"LMP-E27W", "LED lamp E27, 9 W warm white", 1330},
        {"TAP-1925", "Insulating tape 19 mm x 25 m", 2750},
        {"GLU-PVA5", "Wood glue PVA, 500 g", 260},
        {"SIL-TR30", "Silicone sealant, clear, 300 ml", 470},
        {"PNT-WH25", "Wall paint white, 2.5 l", 150},
        {"BRS-5000", "Paint brush 50 mm, synthetic", 690},
        {"SND-P120", "Sanding sheet P120, pack of 10", 1010},
        {"DRL-HSS6", "HSS drill bit 6 mm", 840},
        {"SAW-H550", "Hand saw 550 mm, hardpoint", 75},
    };
    return rows;
}

const std::vector<Series>& DatedSeries() {
    static const std::vector<Series> series = [] {
        std::vector<Series> s;
        Series rain{"Monthly rainfall 2026 (mm)", "mm", 0, 60, 10, {}};
        const double mm[] = {31, 28, 35, 42, 38, 20, 12, 15, 30, 44, 47, 39};
        for (int m = 0; m < 12; ++m) rain.points.push_back({QDate(2026, m + 1, 15), mm[m]});
        s.push_back(rain);
        Series temp{"Mean temperature 2026 (\u00b0C)", "\u00b0C", -5, 30, 5, {}};
        const double c[] = {2.1, 3.8, 8.2, 12.5, 17.0, 21.4, 24.2, 23.6, 19.1, 13.4, 7.5, 3.0};
        for (int m = 0; m < 12; ++m) temp.points.push_back({QDate(2026, m + 1, 15), c[m]});
        s.push_back(temp);
        Series sales{"Weekly orders, first quarter 2026", "orders", 0, 400, 50, {}};
        QDate d(2026, 1, 5);
        for (int w = 0; w < 13; ++w, d = d.addDays(7))
            sales.points.push_back({d, 120 + 14.0 * w + 40 * std::sin(w * 1.3)});
        s.push_back(sales);
        return s;
    }();
    return series;
}

CodeRow GeneratedProduct(int i) {
    static const char* kinds[] = {"Hex bolt", "Cap screw", "Wood screw",   "Hex nut", "Washer",
                                  "Rivet",    "Anchor",    "Threaded rod", "Pin",     "Spring"};
    static const char* finishes[] = {"zinc plated", "stainless",  "black oxide",
                                     "brass",       "galvanised", "plain steel"};
    static const int sizes[] = {3, 4, 5, 6, 8, 10, 12, 16};
    // A fixed scramble so that neighbouring rows differ, as real catalogues do.
    unsigned h = unsigned(i) * 2654435761u;
    int size = sizes[(h >> 8) % 8];
    int length = 10 + int((h >> 12) % 19) * 5;
    // 7919 and 100003 are coprime, so the first 100,003 codes are all different.
    QString code = QString("P-%1").arg((int64_t(i) * 7919) % 100003, 6, 10, QChar('0'));
    QString text = QString("%1 M%2 x %3, %4")
                       .arg(kinds[(h >> 16) % 10])
                       .arg(size)
                       .arg(length)
                       .arg(finishes[(h >> 20) % 6]);
    return {code, text, int((h >> 3) % 50000)};
}

double DaySerial(const QDate& d) {
    return double(QDate(1899, 12, 30).daysTo(d));
}

QDate DayOfSerial(double serial) {
    return QDate(1899, 12, 30).addDays(qint64(serial));
}

LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y) {
    LineFit f;
    size_t n = std::min(x.size(), y.size());
    if (n == 0) return f;
    double mx = 0, my = 0;
    for (size_t i = 0; i < n; ++i) mx += x[i], my += y[i];
    mx /= double(n), my /= double(n);
    double sxx = 0, syy = 0, sxy = 0;
    for (size_t i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        syy += (y[i] - my) * (y[i] - my);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    f.slope = sxx > 0 ? sxy / sxx : 0;
    f.intercept = my - f.slope * mx;
    f.correlation = sxx > 0 && syy > 0 ? sxy / std::sqrt(sxx * syy) : 0;
    return f;
}

}  // namespace demo
