#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace trackio {

// Each command writes its output to `out`, and raises ctl::RaisedError or std::runtime_error
// with a clear text when it fails. STORE is already resolved (StorePath): a file path or a
// server's connection string.
void Create(const std::string& store, std::ostream& out);
void List(const std::string& store, std::ostream& out);
// The tracks as List writes them, for programs that keep a store in-process (the demo).
struct TrackSummary {
    std::string name;
    int64_t branches = 0, points = 0;
};
std::vector<TrackSummary> ListTracks(const std::string& store);
void ExportCsv(const std::string& store, const std::string& track, std::ostream& out);
void ExportGeoJson(const std::string& store, const std::string& track, std::ostream& out);
// All rows or none: the import runs in one transaction.
void Import(const std::string& store, const std::string& csvPath, std::ostream& out);
// The same from a stream; `source` names it in error texts. Returns the points added.
int64_t ImportCsv(const std::string& store, std::istream& in, const std::string& source);
// True when the store holds the table the control needs.
bool Check(const std::string& store, std::ostream& out);
// Copies every row of FROM into TO (made when absent, else its table must be empty), in one
// transaction: between a file and a server either way.
void Copy(const std::string& from, const std::string& to, std::ostream& out);

}  // namespace trackio
