#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/Connection.h"

namespace trackio {

// STORE on the command line: the store file, a server's connection string (a libpq URI or
// key=value string), or a folder meaning what the control would open there: the server its
// mappa.conn names, else its mappa.mdb (both found without regard to case). A path that ends
// with "/" is a folder: with `makeFolder` (trackdb create) it is made when absent.
std::string StorePath(const std::string& store, bool makeFolder = false);
// True when STORE (as resolved) is a server's connection string.
bool IsServer(const std::string& store);
// The store as messages show it: the path, or the server without any password.
std::string Shown(const std::string& store);
// How long one statement of the tools may run on a server (copying a large store).
constexpr int kToolStatementTimeoutMs = 10 * 60 * 1000;
// Opens the store; with `create` an absent file is made (empty).
std::unique_ptr<ctl::db::Connection> OpenStore(const std::string& path, bool create = false);
// True when the open store has a table MAPPA.
bool HasTable(ctl::db::Connection& c);

// What the table MAPPA of an open store lacks for the control, "" when nothing.
std::string MissingColumns(ctl::db::Connection& c);
// True when the name column compares text without regard to case.
bool NamesIgnoreCase(ctl::db::Connection& c);
// True when the server's name column is citext, which folds by the database's locale (letters
// beyond A to Z too).
bool NamesFoldByLocale(ctl::db::Connection& c);
// The declared types of MAPPA's columns, by lower-case name.
std::vector<std::pair<std::string, std::string>> ColumnTypes(ctl::db::Connection& c);
// A name as the stores compare them: the letters A to Z folded to a to z, nothing else.
std::string FoldName(const std::string& name);

// A number written so that it reads back exactly (shortest form).
std::string NumberText(double v);

}  // namespace trackio
