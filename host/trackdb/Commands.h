#pragma once
#include <iosfwd>
#include <string>

namespace trackdb {

// Each command writes its output to `out`, and raises ctl::RaisedError or std::runtime_error
// with a clear text when it fails. STORE is already resolved (StorePath): a file path or a
// server's connection string.
void Create(const std::string& store, std::ostream& out);
void List(const std::string& store, std::ostream& out);
void ExportCsv(const std::string& store, const std::string& track, std::ostream& out);
void ExportGeoJson(const std::string& store, const std::string& track, std::ostream& out);
// All rows or none: the import runs in one transaction.
void Import(const std::string& store, const std::string& csvPath, std::ostream& out);
// True when the store holds the table the control needs.
bool Check(const std::string& store, std::ostream& out);
// Copies every row of FROM into TO (made when absent, else its table must be empty), in one
// transaction: between a file and a server either way.
void Copy(const std::string& from, const std::string& to, std::ostream& out);

}  // namespace trackdb
