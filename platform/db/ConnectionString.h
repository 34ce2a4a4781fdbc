#pragma once
#include <map>
#include <string>

namespace ctl::db {

// "key=value;key=value;" with keys compared without regard to case and blanks around keys and
// values dropped. A value may be put in double quotes to hold ";" (a doubled quote inside
// stands for one quote): Quote writes any value so.
class ConnectionString {
  public:
    explicit ConnectionString(const std::string& text);
    // The value of a key, "" when absent.
    std::string Get(const std::string& key) const;
    bool Has(const std::string& key) const;
    static std::string Quote(const std::string& value);
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    std::map<std::string, std::string> values_;  // keys lower case
};

// The connection string of a connection file: its first line without the blanks around it
// (a server's libpq string). Raises errDbCannotOpen, naming the file, when it cannot be read
// or holds no such string; never shows the line itself (it may hold a password).
std::string ReadConnectionFile(const std::string& path);

}  // namespace ctl::db
