#include "platform/db/Statement.h"

namespace ctl::db {

std::string Statement::Text() const {
    if (params.empty()) return sql;
    std::string out;
    out.reserve(sql.size() + 16 * params.size());
    size_t next = 0;
    bool quoted = false;
    for (char c : sql) {
        // A "?" inside a quoted literal of the template is text, not a mark.
        if (c == '\'') quoted = !quoted;
        if (c == '?' && !quoted && next < params.size())
            out += params[next++].literal();
        else
            out += c;
    }
    return out;
}

}  // namespace ctl::db
