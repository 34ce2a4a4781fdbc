#pragma once
#include <memory>
#include <string>

#include "platform/db/Connection.h"

namespace trackio {

// STORE on the command line: the store file, a server's connection string (a libpq URI or
// key=value string), or a folder meaning what the control would open there: the server its
// mappa.conn names, else its mappa.mdb (both found without regard to case).
std::string StorePath(const std::string& store);
// True when STORE (as resolved) is a server's connection string.
bool IsServer(const std::string& store);
// The store as messages show it: the path, or the server without any password.
std::string Shown(const std::string& store);
// Opens the store; with `create` an absent file is made (empty).
std::unique_ptr<ctl::db::Connection> OpenStore(const std::string& path, bool create = false);
// True when the open store has a table MAPPA.
bool HasTable(ctl::db::Connection& c);

// What the table MAPPA of an open store lacks for the control, "" when nothing.
std::string MissingColumns(ctl::db::Connection& c);
// True when the name column compares text without regard to case.
bool NamesIgnoreCase(ctl::db::Connection& c);

// A number written so that it reads back exactly (shortest form).
std::string NumberText(double v);

}  // namespace trackio
