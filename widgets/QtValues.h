#pragma once
// Conversions between the controls' values and the Qt types the typed widgets show: colours,
// fonts, pictures, dates, and the values that may be a number, a date or text.
#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include "platform/com/Variant.h"

namespace ctl {

// To the control. A date or time is a day number; an invalid QColor, a null QVariant or a
// null picture are Empty or no object. Raise 6 for a date out of the controls' range.
Variant ToVariant(bool value);
Variant ToVariant(int value);
Variant ToVariant(double value);
Variant ToVariant(const QString& value);
Variant ToVariant(const QDateTime& value);
Variant ToVariant(const QDate& value);
Variant ToVariant(const QVariant& value);
Variant ToVariant(const QColor& value);  // 0x00BBGGRR
Variant ToVariant(const QFont& value);
Variant ToVariant(const QPixmap& value);

// From the control; raise 13 when the value is of another kind. Colours that refer to the
// window system's colour table come back as the colour they stand for.
template <class T>
T FromVariant(const Variant& value);
template <>
bool FromVariant<bool>(const Variant& value);
template <>
int FromVariant<int>(const Variant& value);
template <>
double FromVariant<double>(const Variant& value);
template <>
QString FromVariant<QString>(const Variant& value);
template <>
QDateTime FromVariant<QDateTime>(const Variant& value);
template <>
QVariant FromVariant<QVariant>(const Variant& value);
template <>
QColor FromVariant<QColor>(const Variant& value);
template <>
QFont FromVariant<QFont>(const Variant& value);
template <>
QPixmap FromVariant<QPixmap>(const Variant& value);
// An object with a type table (a point) as its plain properties by name.
template <>
QVariantMap FromVariant<QVariantMap>(const Variant& value);

}  // namespace ctl
