#include "platform/com/PropertyBag.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "platform/com/RaisedError.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Picture.h"
#include "platform/sys/SafeFile.h"

namespace ctl {

namespace {
constexpr double kMaxFontSize = 2048;  // points; the largest size fonts take
constexpr qint64 kMaxPropertyFileBytes = 64 << 20;

QJsonValue Encode(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
            return QJsonValue::Null;
        case VarType::Boolean:
            return v.toBool();
        case VarType::String:
            return QString::fromStdString(v.toString());
        case VarType::Date:
            return QJsonObject{{"date", v.toDateSerial()}};
        case VarType::Object: {
            ObjectPtr o = v.toObject();
            if (auto f = std::dynamic_pointer_cast<Font>(o)) {
                return QJsonObject{{"font", QJsonObject{{"name", QString::fromStdString(f->Name)},
                                                        {"size", f->Size},
                                                        {"bold", f->Bold},
                                                        {"italic", f->Italic},
                                                        {"underline", f->Underline},
                                                        {"strikethrough", f->Strikethrough}}}};
            }
            if (auto p = std::dynamic_pointer_cast<Picture>(o)) {
                QByteArray png = QByteArray::fromStdString(p->toPng());
                return QJsonObject{{"picture", QString::fromLatin1(png.toBase64())}};
            }
            return QJsonValue::Null;
        }
        default:
            return v.toDouble();
    }
}

Variant Decode(const QJsonValue& j) {
    if (j.isBool()) return Variant(j.toBool());
    if (j.isDouble()) return Variant(j.toDouble());
    if (j.isString()) return Variant(j.toString().toStdString());
    if (j.isObject()) {
        QJsonObject o = j.toObject();
        if (o.contains("date")) return Variant::Date(o["date"].toDouble());
        if (o.contains("font")) {
            QJsonObject f = o["font"].toObject();
            auto font = std::make_shared<Font>();
            font->Name = f["name"].toString("MS Sans Serif").toStdString();
            font->Size = f["size"].toDouble(8);
            if (!(font->Size > 0 && font->Size <= kMaxFontSize) || font->Name.size() > 255)
                Raise(380, "Invalid property value");
            font->Bold = f["bold"].toBool();
            font->Italic = f["italic"].toBool();
            font->Underline = f["underline"].toBool();
            font->Strikethrough = f["strikethrough"].toBool();
            return Variant(ObjectPtr(font));
        }
        if (o.contains("picture")) {
            auto pic = std::make_shared<Picture>();
            QByteArray png = QByteArray::fromBase64(o["picture"].toString().toLatin1());
            if (!png.isEmpty() && !pic->fromPng(png.toStdString())) Raise(481, "Invalid picture");
            return Variant(ObjectPtr(pic));
        }
    }
    return Variant();
}
}  // namespace

bool SameValue(const Variant& a, const Variant& b) {
    if (a.isObject() || b.isObject()) {
        ObjectPtr x = a.isObject() ? a.toObject() : nullptr,
                  y = b.isObject() ? b.toObject() : nullptr;
        auto fx = std::dynamic_pointer_cast<Font>(x), fy = std::dynamic_pointer_cast<Font>(y);
        if (fx && fy) return fx->sameAs(*fy);
        auto px = std::dynamic_pointer_cast<Picture>(x), py = std::dynamic_pointer_cast<Picture>(y);
        bool emptyX = !x || (px && px->isEmpty()), emptyY = !y || (py && py->isEmpty());
        if ((px || !x) && (py || !y)) return emptyX && emptyY ? true : x == y;
        return x == y;
    }
    if (a.isNumber() && b.isNumber()) return a.toDouble() == b.toDouble();
    if (a.isDate() && b.isDate()) return a.toDateSerial() == b.toDateSerial();
    return a == b;
}

Variant PropertyBag::ReadProperty(const std::string& key, const Variant& def) const {
    if (auto bad = unreadable_.find(key); bad != unreadable_.end())
        Raise(bad->second.first, bad->second.second);
    auto it = values_.find(key);
    if (it == values_.end()) return def;
    if (def.isEmpty() || def.isObject()) return it->second;
    return it->second.convertTo(def.type());
}

void PropertyBag::WriteProperty(const std::string& key, const Variant& value, const Variant& def) {
    if (SameValue(value, def)) {
        unreadable_.erase(key);
        if (values_.erase(key)) order_.erase(std::find(order_.begin(), order_.end(), key));
        return;
    }
    unreadable_.erase(key);
    if (!values_.count(key)) order_.push_back(key);
    values_[key] = value;
}

std::vector<std::string> PropertyBag::keys() const {
    return order_;
}

void PropertyBag::clear() {
    values_.clear();
    unreadable_.clear();
    order_.clear();
}

std::string PropertyBag::toJson(const std::string& className) const {
    // Keys keep their write order so a person reads them in the control's own order.
    QJsonObject props;
    QJsonArray order;
    for (const auto& k : order_) {
        if (!values_.count(k)) continue;  // unreadable when loaded: not written back
        props[QString::fromStdString(k)] = Encode(values_.at(k));
        order.append(QString::fromStdString(k));
    }
    QJsonObject root{
        {"class", QString::fromStdString(className)}, {"properties", props}, {"order", order}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

PropertyBag PropertyBag::fromJson(const std::string& json, std::string* className) {
    QJsonParseError err;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &err);
    if (err.error != QJsonParseError::NoError)
        Raise(errTypeMismatch, "Property file is not valid: " + err.errorString().toStdString());
    if (!doc.isObject())
        Raise(errTypeMismatch, "Property file is not valid: it holds no object of properties");
    QJsonObject root = doc.object();
    if (className) *className = root["class"].toString().toStdString();
    QJsonObject props = root["properties"].toObject();
    PropertyBag bag;
    QJsonArray order = root["order"].toArray();
    for (const auto& k : order) {
        QString key = k.toString();
        if (props.contains(key)) bag.decodeKey(key.toStdString(), props[key]);
    }
    for (auto it = props.begin(); it != props.end(); ++it)
        bag.decodeKey(it.key().toStdString(), it.value());
    return bag;
}

// Each key is read on its own: a value that cannot be read is kept as that key's error.
void PropertyBag::decodeKey(const std::string& key, const QJsonValue& value) {
    if (values_.count(key) || unreadable_.count(key)) return;
    order_.push_back(key);
    try {
        values_[key] = Decode(value);
    } catch (const RaisedError& e) {
        unreadable_[key] = {e.number(), e.description()};
    }
}

void PropertyBag::save(const std::string& path, const std::string& className) const {
    FileError error;
    if (!WriteFileSafely(path, toJson(className), error)) Raise(error.number, error.description);
}

PropertyBag PropertyBag::load(const std::string& path, std::string* className) {
    QFileInfo info(QString::fromStdString(path));
    if (!info.exists()) Raise(53, "File not found: " + path);
    // A device or a pipe never ends, and no form's properties come near the size limit.
    if (!info.isFile()) Raise(75, "Path/File access error: " + path);
    if (info.size() > kMaxPropertyFileBytes)
        Raise(75, "Path/File access error: the property file is larger than " +
                      std::to_string(kMaxPropertyFileBytes >> 20) + " MB: " + path);
    QFile f(info.filePath());
    if (!f.open(QIODevice::ReadOnly)) Raise(75, "Path/File access error: " + path);
    return fromJson(f.read(kMaxPropertyFileBytes).toStdString(), className);
}

}  // namespace ctl
