#include "platform/db/ConnectionString.h"

#include <cctype>
#include <fstream>

#include "platform/com/RaisedError.h"
#include "platform/db/DbErrors.h"
#include "platform/db/PostgresConnection.h"

namespace ctl::db {

namespace {
std::string Trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}
std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
}  // namespace

ConnectionString::ConnectionString(const std::string& text) : text_(text) {
    size_t i = 0;
    while (i < text.size()) {
        size_t eq = text.find('=', i), semi = text.find(';', i);
        if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
            if (semi == std::string::npos) break;
            i = semi + 1;  // a piece without "=" carries nothing
            continue;
        }
        std::string key = Lower(Trimmed(text.substr(i, eq - i)));
        size_t v = eq + 1;
        while (v < text.size() && text[v] == ' ') ++v;
        std::string value;
        if (v < text.size() && text[v] == '"') {
            // Quoted: up to the next lone quote; a doubled quote stands for one.
            size_t close = v + 1;
            for (; close < text.size(); ++close) {
                if (text[close] != '"') {
                    value += text[close];
                } else if (close + 1 < text.size() && text[close + 1] == '"') {
                    value += '"';
                    ++close;
                } else {
                    break;
                }
            }
            semi = text.find(';', close);
        } else {
            semi = text.find(';', v);
            value =
                Trimmed(text.substr(v, semi == std::string::npos ? std::string::npos : semi - v));
        }
        if (!key.empty()) values_[key] = value;
        if (semi == std::string::npos) break;
        i = semi + 1;
    }
}

std::string ConnectionString::Quote(const std::string& value) {
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string ConnectionString::Get(const std::string& key) const {
    auto it = values_.find(Lower(key));
    return it == values_.end() ? std::string() : it->second;
}

bool ConnectionString::Has(const std::string& key) const {
    return values_.count(Lower(key)) != 0;
}

std::string ReadConnectionFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        Raise(errDbCannotOpen, "Cannot read the connection file " + path);
    line = Trimmed(line);
    if (line.empty())
        Raise(errDbCannotOpen, "The connection file " + path +
                                   " is empty: its first line must be the server's connection "
                                   "string (a postgresql:// URI or key=value pairs)");
    if (!IsServerAddress(line))
        Raise(errDbCannotOpen, "The first line of the connection file " + path +
                                   " is not a server's connection string (a postgresql:// URI "
                                   "or key=value pairs)");
    // libpq's own words about a string it cannot read quote it, password and all: say which
    // file it is, never what it holds.
    if (!ServerStringReadable(line))
        Raise(errDbCannotOpen, "The connection string in the connection file " + path +
                                   " cannot be read (a URI or a percent escape that is not "
                                   "right, or a quote left open); it is not shown, as it may "
                                   "hold a password");
    return line;
}

}  // namespace ctl::db
