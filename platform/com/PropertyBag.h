#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/com/Variant.h"

class QJsonValue;

namespace ctl {

// The host's property store for one control: key/value pairs with defaults, kept in a JSON
// file a person can read. Fonts and pictures are stored inline.
class PropertyBag {
  public:
    // The stored value converted to the default's type, or the default when the key is absent.
    // Raises 13 when a stored value cannot take the default's type, and the key's own error
    // when the file held a value that could not be read (a picture that is no image, a date
    // out of range): each key is its own step, and only that key fails.
    Variant ReadProperty(const std::string& key, const Variant& defaultValue) const;
    // Stores the value; a value equal to its default is not kept.
    void WriteProperty(const std::string& key, const Variant& value, const Variant& defaultValue);

    bool contains(const std::string& key) const {
        return values_.count(key) != 0 || unreadable_.count(key) != 0;
    }
    std::vector<std::string> keys() const;  // in the order they were written
    void clear();

    // File form: {"class": CLASS, "properties": {KEY: VALUE, ...}}. Raise 53 / 13 on failure.
    void save(const std::string& path, const std::string& className) const;
    static PropertyBag load(const std::string& path, std::string* className = nullptr);

    std::string toJson(const std::string& className) const;
    static PropertyBag fromJson(const std::string& json, std::string* className = nullptr);

  private:
    void decodeKey(const std::string& key, const QJsonValue& value);
    std::map<std::string, Variant> values_;
    std::map<std::string, std::pair<int, std::string>> unreadable_;  // key -> its error
    std::vector<std::string> order_;
};

// Equality as the store judges "equal to its default".
bool SameValue(const Variant& a, const Variant& b);

}  // namespace ctl
