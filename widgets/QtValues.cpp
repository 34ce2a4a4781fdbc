#include "widgets/QtValues.h"

#include <QBuffer>
#include <QImage>
#include <cmath>

#include "platform/com/RaisedError.h"
#include "platform/com/TypeInfo.h"
#include "platform/forms/WidgetImpl.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"
#include "platform/sys/DateSerial.h"
#include "platform/sys/Screen.h"

namespace ctl {

namespace {
double SerialOf(const QDate& d, const QTime& t) {
    if (!d.isValid() || !IsValidCivilDate(d.year(), d.month(), d.day())) Raise(errOverflow);
    double day = DateSerial(d.year(), d.month(), d.day());
    double time = TimeSerial(t.hour(), t.minute(), t.second()) + t.msec() / 86400000.0;
    // Before day 0 the fraction counts away from zero, as the serials' own rule has it.
    return day < 0 ? day - time : day + time;
}
}  // namespace

Variant ToVariant(bool value) {
    return Variant(value);
}
Variant ToVariant(int value) {
    return Variant(int32_t(value));
}
Variant ToVariant(double value) {
    return Variant(value);
}
Variant ToVariant(const QString& value) {
    return Variant(value.toStdString());
}
Variant ToVariant(const QDateTime& value) {
    if (!value.isValid()) return Variant();
    return Variant::Date(SerialOf(value.date(), value.time()));
}
Variant ToVariant(const QDate& value) {
    if (!value.isValid()) return Variant();
    return Variant::Date(SerialOf(value, QTime(0, 0)));
}

Variant ToVariant(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return Variant();
    switch (value.typeId()) {
        case QMetaType::Bool:
            return Variant(value.toBool());
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return Variant(int32_t(value.toInt()));
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            // Whole numbers beyond 32 bits go on as doubles, so they are not cut.
            const double d = value.toDouble();
            if (d >= INT32_MIN && d <= INT32_MAX) return Variant(int32_t(d));
            return Variant(d);
        }
        case QMetaType::Float:
        case QMetaType::Double:
            return Variant(value.toDouble());
        case QMetaType::QDate:
            return ToVariant(value.toDate());
        case QMetaType::QDateTime:
            return ToVariant(value.toDateTime());
        case QMetaType::QColor:
            return ToVariant(value.value<QColor>());
        case QMetaType::QFont:
            return ToVariant(value.value<QFont>());
        case QMetaType::QPixmap:
            return ToVariant(value.value<QPixmap>());
        default:
            if (value.canConvert<QString>()) return ToVariant(value.toString());
            Raise(errTypeMismatch);
    }
}

Variant ToVariant(const QColor& value) {
    if (!value.isValid()) Raise(errInvalidCall, "Invalid colour");
    return Variant(int32_t(FromQColor(value.toRgb())));
}

Variant ToVariant(const QFont& value) {
    auto f = std::make_shared<Font>();
    f->Name = value.family().toStdString();
    f->Size = value.pointSizeF() > 0 ? value.pointSizeF() : 8;
    f->Bold = value.bold();
    f->Italic = value.italic();
    f->Underline = value.underline();
    f->Strikethrough = value.strikeOut();
    return Variant(ObjectPtr(f));
}

Variant ToVariant(const QPixmap& value) {
    if (value.isNull()) return Variant(ObjectPtr());
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    value.toImage().save(&buffer, "PNG");
    auto picture = std::make_shared<Picture>();
    if (!picture->fromPng(png.toStdString())) Raise(481, "Invalid picture");
    return Variant(ObjectPtr(picture));
}

template <>
bool FromVariant<bool>(const Variant& value) {
    return value.toBool();
}
template <>
int FromVariant<int>(const Variant& value) {
    return value.toInt32();
}
template <>
double FromVariant<double>(const Variant& value) {
    return value.toDouble();
}
template <>
QString FromVariant<QString>(const Variant& value) {
    return QString::fromStdString(value.toString());
}

template <>
QDateTime FromVariant<QDateTime>(const Variant& value) {
    if (value.isEmpty()) return {};
    const CivilDate c = SerialToCivil(value.toDateSerial());
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second));
}

template <>
QVariant FromVariant<QVariant>(const Variant& value) {
    switch (value.type()) {
        case VarType::Empty:
            return {};
        case VarType::Boolean:
            return value.toBool();
        case VarType::Integer:
        case VarType::Long:
            return value.toInt32();
        case VarType::Single:
        case VarType::Double:
            return value.toDouble();
        case VarType::Date:
            return FromVariant<QDateTime>(value);
        case VarType::String:
            return FromVariant<QString>(value);
        case VarType::Object:
            return FromVariant<QVariantMap>(value);
        case VarType::Any:
            break;
    }
    return {};
}

template <>
QColor FromVariant<QColor>(const Variant& value) {
    const double d = value.toDouble();
    const uint32_t raw = d < 0 ? uint32_t(int32_t(d)) : uint32_t(int64_t(d));
    return ToQColor(Screen::ResolveColor(raw));
}

template <>
QFont FromVariant<QFont>(const Variant& value) {
    auto f = std::dynamic_pointer_cast<Font>(value.toObject());
    return f ? ToQFont(*f) : QFont();
}

template <>
QPixmap FromVariant<QPixmap>(const Variant& value) {
    auto p = std::dynamic_pointer_cast<Picture>(value.toObject());
    QPixmap out;
    if (p && !p->isEmpty()) {
        const std::string png = p->toPng();
        out.loadFromData(reinterpret_cast<const uchar*>(png.data()), uint(png.size()), "PNG");
    }
    return out;
}

template <>
QVariantMap FromVariant<QVariantMap>(const Variant& value) {
    QVariantMap out;
    ObjectPtr object = value.toObject();
    const ClassInfo* info = object ? object->typeInfo() : nullptr;
    if (!info) return out;
    for (const MemberInfo& m : info->members) {
        if (m.kind != MemberKind::PropertyGet || !m.params.empty()) continue;
        Args none;
        out.insert(QString::fromStdString(m.name),
                   FromVariant<QVariant>(InvokeMember(*object, m, none)));
    }
    return out;
}

}  // namespace ctl
