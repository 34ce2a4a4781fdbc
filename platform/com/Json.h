#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ctl {

// A small JSON document model for hosts and tools (parsing and printing use the toolkit).
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    double n = 0;
    std::string s;
    std::vector<Json> items;                            // Array
    std::vector<std::pair<std::string, Json>> members;  // Object, in order

    static Json boolean(bool v);
    static Json number(double v);
    static Json string(std::string v);
    static Json array(std::vector<Json> v = {});
    static Json object(std::vector<std::pair<std::string, Json>> v = {});

    const Json* find(const std::string& key) const;  // member of an object, or null
    Json& set(const std::string& key, Json value);   // adds or replaces a member

    // Parses one JSON text; nullopt with a message on error.
    static std::optional<Json> parse(const std::string& text, std::string* error = nullptr);
    std::string dump() const;  // compact, on one line
};

}  // namespace ctl
