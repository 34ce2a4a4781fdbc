#include "Commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <ostream>
#include <set>
#include <stdexcept>

#include "Csv.h"
#include "Schema.h"
#include "StoreFile.h"
#include "platform/com/Json.h"
#include "platform/db/SqliteConnection.h"
#include "platform/sys/Text.h"

namespace trackio {

using ctl::db::RecordSet;
using ctl::db::Statement;
using ctl::db::Value;

namespace {
[[noreturn]] void Fail(const std::string& text) {
    throw std::runtime_error(text);
}

std::unique_ptr<ctl::db::Connection> OpenChecked(const std::string& store) {
    auto c = OpenStore(store);
    std::string missing = MissingColumns(*c);
    if (!missing.empty()) Fail(Shown(store) + ": " + missing);
    return c;
}

RecordSet TrackRows(ctl::db::Connection& c, const std::string& store, const std::string& track) {
    RecordSet rs = c.OpenRecordSet(Statement(
        "SELECT ordinale,tratto,ramo,X,Y FROM MAPPA WHERE tratto=? ORDER BY ramo, ordinale",
        {track}));
    if (rs.RecordCount() == 0) Fail("No track named '" + track + "' in " + Shown(store));
    return rs;
}

int64_t WholeNumber(const std::string& text, int64_t min, int64_t max, const char* what, int line) {
    std::string t = ctl::Trim(text);
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (t.empty() || *end != 0 || errno == ERANGE || v < min || v > max)
        Fail("line " + std::to_string(line) + ": " + what + " must be a whole number from " +
             std::to_string(min) + " to " + std::to_string(max) + ", not '" + text + "'");
    return v;
}

double RealNumber(const std::string& text, const char* what, int line) {
    std::string t = ctl::Trim(text);
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (t.empty() || *end != 0 || !std::isfinite(v))
        Fail("line " + std::to_string(line) + ": " + what +
             " must be a number written with '.', not '" + text + "'");
    return v;
}
}  // namespace

void Create(const std::string& store, std::ostream& out) {
    if (IsServer(store)) {
        // The database is the server's business; the store is its table.
        auto c = OpenStore(store);
        if (HasTable(*c))
            Fail(Shown(store) + " already has the table MAPPA: the store was not created again");
        c->BeginTrans();
        CreateTrackTable(*c);
        c->CommitTrans();
        out << "created the table MAPPA on " << Shown(store) << "\n";
        return;
    }
    if (!ctl::db::FindFileNoCase(store).empty())
        Fail(store + " already exists: the store was not created again");
    auto c = OpenStore(store, true);
    c->BeginTrans();
    CreateTrackTable(*c);
    c->CommitTrans();
    out << "created " << store << "\n";
}

std::vector<TrackSummary> ListTracks(const std::string& store) {
    auto c = OpenChecked(store);
    RecordSet rs = c->OpenRecordSet(
        "SELECT tratto, COUNT(DISTINCT ramo) AS branches, COUNT(*) AS points FROM MAPPA "
        "GROUP BY tratto ORDER BY tratto");
    std::vector<TrackSummary> tracks;
    for (; !rs.IsEOF(); rs.MoveNext())
        tracks.push_back({rs.Field("tratto").asText(), rs.Field("branches").asInteger(),
                          rs.Field("points").asInteger()});
    return tracks;
}

void List(const std::string& store, std::ostream& out) {
    for (const TrackSummary& t : ListTracks(store))
        out << CsvField(t.name) << ',' << t.branches << ',' << t.points << '\n';
}

void ExportCsv(const std::string& store, const std::string& track, std::ostream& out) {
    auto c = OpenChecked(store);
    RecordSet rs = TrackRows(*c, store, track);
    out << "ordinale,tratto,ramo,X,Y\n";
    for (; !rs.IsEOF(); rs.MoveNext())
        out << rs.Field("ordinale").asInteger() << ',' << CsvField(rs.Field("tratto").asText())
            << ',' << rs.Field("ramo").asInteger() << ',' << NumberText(rs.Field("X").asDouble())
            << ',' << NumberText(rs.Field("Y").asDouble()) << '\n';
}

void ExportGeoJson(const std::string& store, const std::string& track, std::ostream& out) {
    using ctl::Json;
    auto c = OpenChecked(store);
    RecordSet rs = TrackRows(*c, store, track);
    Json features = Json::array();
    Json coords = Json::array();
    int64_t branch = 0;
    std::string name;
    auto flush = [&] {
        if (coords.items.empty()) return;
        features.items.push_back(Json::object(
            {{"type", Json::string("Feature")},
             {"properties", Json::object({{"tratto", Json::string(name)},
                                          {"ramo", Json::number(double(branch))}})},
             {"geometry",
              Json::object({{"type", Json::string("LineString")}, {"coordinates", coords}})}}));
        coords = Json::array();
    };
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const int64_t b = rs.Field("ramo").asInteger();
        if (b != branch) flush();
        branch = b;
        name = rs.Field("tratto").asText();
        Json point = Json::array();
        point.items.push_back(Json::number(rs.Field("X").asDouble()));
        point.items.push_back(Json::number(rs.Field("Y").asDouble()));
        coords.items.push_back(point);
    }
    flush();
    out << Json::object({{"type", Json::string("FeatureCollection")}, {"features", features}})
               .dump()
        << '\n';
}

void Import(const std::string& store, const std::string& csvPath, std::ostream& out) {
    std::ifstream in(csvPath, std::ios::binary);
    if (!in) Fail("Cannot read " + csvPath);
    const int64_t rows = ImportCsv(store, in, csvPath);
    out << "imported " << rows << " point(s) into " << Shown(store) << "\n";
}

int64_t ImportCsv(const std::string& store, std::istream& in, const std::string& source) {
    auto c = OpenChecked(store);
    int line = 0;
    std::vector<std::string> f;
    if (!ReadCsvRecord(in, f, line))
        Fail(source + " is empty: expected the header ordinale,tratto,ramo,X,Y");
    static const char* const kHeader[] = {"ordinale", "tratto", "ramo", "X", "Y"};
    bool headerOk = f.size() == 5;
    for (size_t i = 0; headerOk && i < 5; ++i)
        headerOk = ctl::EqualsNoCase(ctl::Trim(f[i]), kHeader[i]);
    if (!headerOk) Fail(source + ": the first line must be the header ordinale,tratto,ramo,X,Y");
    // All or nothing: a fault on any line leaves the store as it was.
    c->BeginTrans();
    int64_t rows = 0;
    std::set<std::string> names;  // the tracks the file adds to
    try {
        Statement insert("INSERT INTO MAPPA VALUES (?,?,?,?,?)");
        insert.params.resize(5);
        while (ReadCsvRecord(in, f, line)) {
            if (f.size() == 1 && ctl::Trim(f[0]).empty()) continue;  // blank line
            if (f.size() != 5)
                Fail("line " + std::to_string(line) + ": expected 5 fields, found " +
                     std::to_string(f.size()));
            const std::string name = ctl::Trim(f[1]);
            if (name.empty()) Fail("line " + std::to_string(line) + ": the track name is empty");
            insert.params[0] =
                Value(WholeNumber(f[0], std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max(), "ordinale", line));
            insert.params[1] = Value(name);
            insert.params[2] =
                Value(WholeNumber(f[2], 1, std::numeric_limits<int16_t>::max(), "ramo", line));
            insert.params[3] = Value(RealNumber(f[3], "X", line));
            insert.params[4] = Value(RealNumber(f[4], "Y", line));
            c->Execute(insert);
            names.insert(ctl::ToLower(name));
            ++rows;
        }
        // A point twice in one branch would be drawn twice, in no stated order: refused, whether
        // the file repeats it or the store held it already.
        for (const std::string& name : names) {
            RecordSet twice = c->OpenRecordSet(Statement(
                "SELECT tratto, ramo, ordinale FROM MAPPA WHERE tratto=? GROUP BY tratto, ramo, "
                "ordinale HAVING COUNT(*) > 1",
                {name}));
            if (!twice.IsEOF())
                Fail("track '" + twice.Field("tratto").asText() + "', branch " +
                     std::to_string(twice.Field("ramo").asInteger()) + ": the ordinal " +
                     std::to_string(twice.Field("ordinale").asInteger()) +
                     " would be there twice; nothing was imported");
        }
        c->CommitTrans();
    } catch (...) {
        try {
            c->RollbackTrans();
        } catch (...) {
        }
        throw;
    }
    return rows;
}

bool Check(const std::string& store, std::ostream& out) {
    auto c = OpenStore(store);
    std::string missing = MissingColumns(*c);
    if (!missing.empty()) {
        out << Shown(store) << ": " << missing << "\n";
        return false;
    }
    out << Shown(store) << ": the table MAPPA has the columns ordinale, tratto, ramo, X, Y\n";
    if (!NamesIgnoreCase(*c))
        out << "note: tratto compares names with regard to case (\"River\" and \"river\" are two "
               "tracks); recreate the column "
            << (c->Provider() == "postgresql" ? "as citext" : "with COLLATE NOCASE")
            << " to compare them as one\n";
    return true;
}

void Copy(const std::string& from, const std::string& to, std::ostream& out) {
    auto src = OpenChecked(from);
    RecordSet rows = src->OpenRecordSet(
        "SELECT ordinale,tratto,ramo,X,Y FROM MAPPA ORDER BY tratto, ramo, ordinale");
    const int64_t tracks = src->OpenRecordSet("SELECT DISTINCT tratto FROM MAPPA").RecordCount();
    const bool madeFile = !IsServer(to) && ctl::db::FindFileNoCase(to).empty();
    auto dst = OpenStore(to, madeFile);
    // One transaction, the table included: a copy that fails leaves the target as it was.
    dst->BeginTrans();
    try {
        if (!HasTable(*dst)) {
            CreateTrackTable(*dst);
        } else {
            std::string missing = MissingColumns(*dst);
            if (!missing.empty()) Fail(Shown(to) + ": " + missing);
            const int64_t held = dst->OpenRecordSet("SELECT ordinale FROM MAPPA").RecordCount();
            if (held > 0)
                Fail(Shown(to) + " already holds " + std::to_string(held) +
                     " point(s): a store is copied only into an empty one");
        }
        Statement insert("INSERT INTO MAPPA VALUES (?,?,?,?,?)");
        insert.params.resize(5);
        const size_t cols[] = {rows.ColumnIndex("ordinale"), rows.ColumnIndex("tratto"),
                               rows.ColumnIndex("ramo"), rows.ColumnIndex("X"),
                               rows.ColumnIndex("Y")};
        for (; !rows.IsEOF(); rows.MoveNext()) {
            for (size_t i = 0; i < 5; ++i) insert.params[i] = rows.FieldAt(cols[i]);
            dst->Execute(insert);
        }
        // Names that one store tells apart by case and the other does not would merge.
        if (dst->OpenRecordSet("SELECT DISTINCT tratto FROM MAPPA").RecordCount() != tracks)
            Fail(Shown(from) + " has tracks whose names differ only in case, which " + Shown(to) +
                 " would make one: nothing was copied");
        dst->CommitTrans();
    } catch (...) {
        try {
            dst->RollbackTrans();
        } catch (...) {
        }
        dst.reset();
        if (madeFile) std::remove(to.c_str());
        throw;
    }
    out << "copied " << rows.RecordCount() << " point(s) of " << tracks << " track(s) from "
        << Shown(from) << " to " << Shown(to) << "\n";
}

}  // namespace trackio
