#include "platform/com/Json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace ctl {

Json Json::boolean(bool v) {
    Json j;
    j.kind = Bool;
    j.b = v;
    return j;
}
Json Json::number(double v) {
    Json j;
    j.kind = Number;
    j.n = v;
    return j;
}
Json Json::string(std::string v) {
    Json j;
    j.kind = String;
    j.s = std::move(v);
    return j;
}
Json Json::array(std::vector<Json> v) {
    Json j;
    j.kind = Array;
    j.items = std::move(v);
    return j;
}
Json Json::object(std::vector<std::pair<std::string, Json>> v) {
    Json j;
    j.kind = Object;
    j.members = std::move(v);
    return j;
}

const Json* Json::find(const std::string& key) const {
    for (const auto& [k, v] : members)
        if (k == key) return &v;
    return nullptr;
}

Json& Json::set(const std::string& key, Json value) {
    kind = Object;
    for (auto& [k, v] : members)
        if (k == key) return v = std::move(value);
    members.emplace_back(key, std::move(value));
    return members.back().second;
}

namespace {
Json FromQ(const QJsonValue& v) {
    switch (v.type()) {
        case QJsonValue::Bool:
            return Json::boolean(v.toBool());
        case QJsonValue::Double:
            return Json::number(v.toDouble());
        case QJsonValue::String:
            return Json::string(v.toString().toStdString());
        case QJsonValue::Array: {
            Json a = Json::array();
            for (const auto& x : v.toArray()) a.items.push_back(FromQ(x));
            return a;
        }
        case QJsonValue::Object: {
            Json o = Json::object();
            QJsonObject obj = v.toObject();
            for (auto it = obj.begin(); it != obj.end(); ++it)
                o.members.emplace_back(it.key().toStdString(), FromQ(it.value()));
            return o;
        }
        default:
            return Json();
    }
}

QJsonValue ToQ(const Json& j) {
    switch (j.kind) {
        case Json::Bool:
            return j.b;
        case Json::Number:
            return j.n;
        case Json::String:
            return QString::fromStdString(j.s);
        case Json::Array: {
            QJsonArray a;
            for (const auto& x : j.items) a.append(ToQ(x));
            return a;
        }
        case Json::Object: {
            QJsonObject o;
            for (const auto& [k, v] : j.members) o[QString::fromStdString(k)] = ToQ(v);
            return o;
        }
        default:
            return QJsonValue::Null;
    }
}
}  // namespace

std::optional<Json> Json::parse(const std::string& text, std::string* error) {
    // Wrapped in an array so scalars parse too.
    QJsonParseError err;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString("[" + text + "]"), &err);
    if (err.error != QJsonParseError::NoError || !doc.isArray() || doc.array().size() != 1) {
        if (error)
            *error = err.error != QJsonParseError::NoError ? err.errorString().toStdString()
                                                           : "not one JSON value";
        return std::nullopt;
    }
    return FromQ(doc.array().at(0));
}

std::string Json::dump() const {
    // Member order is kept by printing objects ourselves; values go through the toolkit.
    switch (kind) {
        case Array: {
            std::string out = "[";
            for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + items[i].dump();
            return out + "]";
        }
        case Object: {
            std::string out = "{";
            for (size_t i = 0; i < members.size(); ++i)
                out += (i ? "," : "") + Json::string(members[i].first).dump() + ":" +
                       members[i].second.dump();
            return out + "}";
        }
        default: {
            QJsonArray a;
            a.append(ToQ(*this));
            std::string s = QJsonDocument(a).toJson(QJsonDocument::Compact).toStdString();
            return s.substr(1, s.size() - 2);
        }
    }
}

}  // namespace ctl
