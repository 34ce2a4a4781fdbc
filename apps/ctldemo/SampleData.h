#pragma once
// Real-looking data for the demo's pages: countries, products, dated series and a large
// generated list.
#include <QDate>
#include <QString>
#include <vector>

namespace demo {

struct CodeRow {
    QString code;
    QString name;
    int number;  // item data: dialling code, stock or price in cents
};

const std::vector<CodeRow>& Countries();  // ISO code, name, dialling code
const std::vector<CodeRow>& Products();   // product code, description, stock

struct DatedValue {
    QDate date;
    double value;
};
struct Series {
    QString title;
    QString unit;
    double minY, maxY;
    int unitY;
    std::vector<DatedValue> points;
};
const std::vector<Series>& DatedSeries();

// Row `i` of a large product list ("P-004711", "Hex bolt M8 x 40, zinc plated", stock):
// deterministic, so the same rows come back on every run.
CodeRow GeneratedProduct(int i);

// A date as the controls' day number (days since 30 December 1899).
double DaySerial(const QDate& d);
// The date of a whole day number.
QDate DayOfSerial(double serial);

// The least-squares line through (x, y) pairs: y = intercept + slope * x, with the
// correlation coefficient. Fewer than two distinct x values give slope 0.
struct LineFit {
    double slope = 0, intercept = 0, correlation = 0;
};
LineFit FitLine(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace demo
