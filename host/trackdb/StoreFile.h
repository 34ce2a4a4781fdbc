#pragma once
#include <memory>
#include <string>

#include "platform/db/Connection.h"

namespace trackdb {

// STORE on the command line: the store file, or a folder meaning its mappa.mdb (found without
// regard to case).
std::string StorePath(const std::string& store);
// Opens the store; with `create` an absent file is made (empty).
std::unique_ptr<ctl::db::Connection> OpenStore(const std::string& path, bool create = false);

// What the table MAPPA of an open store lacks for the control, "" when nothing.
std::string MissingColumns(ctl::db::Connection& c);
// True when the name column compares text without regard to case.
bool NamesIgnoreCase(ctl::db::Connection& c);

// A number written so that it reads back exactly (shortest form).
std::string NumberText(double v);

}  // namespace trackdb
