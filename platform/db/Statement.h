#pragma once
#include <string>
#include <vector>

#include "platform/db/DbValue.h"

namespace ctl::db {

// A statement as a template whose "?" marks take the values in order. Providers bind the
// values; Text() writes them in place (text quoted, numbers with "."), which is the statement
// a caller that splices values into its text would send: traces show that text.
struct Statement {
    std::string sql;
    std::vector<Value> params;

    Statement() = default;
    Statement(std::string s) : sql(std::move(s)) {}
    Statement(const char* s) : sql(s) {}
    Statement(std::string s, std::vector<Value> p) : sql(std::move(s)), params(std::move(p)) {}

    std::string Text() const;
};

}  // namespace ctl::db
