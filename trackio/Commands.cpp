#include "Commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
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

// A field as an error text shows it: whole when short, else its start and its length (a field
// of a broken file may be megabytes long).
std::string Quoted(const std::string& field) {
    constexpr size_t kShown = 40;
    if (field.size() <= kShown) return "'" + field + "'";
    size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) --cut;
    return "'" + field.substr(0, cut) + "...' (" + std::to_string(field.size()) + " bytes)";
}

std::unique_ptr<ctl::db::Connection> OpenChecked(const std::string& store) {
    auto c = OpenStore(store);
    std::string missing = MissingColumns(*c);
    if (!missing.empty()) Fail(Shown(store) + ": " + missing);
    return c;
}

// A row with an empty (NULL) value cannot be exported: named, with its place in the track.
void RequireValues(const RecordSet& rs, const std::string& track, int64_t row) {
    for (const char* column : {"ordinale", "tratto", "ramo", "X", "Y"}) {
        if (!rs.Field(column).isNull()) continue;
        auto shown = [&](const char* c) {
            return rs.Field(c).isNull() ? std::string("NULL")
                                        : std::to_string(rs.Field(c).asInteger());
        };
        Fail("track " + Quoted(track) + ", row " + std::to_string(row) + " (branch " +
             shown("ramo") + ", ordinal " + shown("ordinale") + "): " + column +
             " is empty (NULL); nothing was exported");
    }
}

RecordSet TrackRows(ctl::db::Connection& c, const std::string& store, const std::string& track) {
    RecordSet rs = c.OpenRecordSet(Statement(
        "SELECT ordinale,tratto,ramo,X,Y FROM MAPPA WHERE tratto=? ORDER BY ramo, ordinale",
        {track}));
    if (rs.RecordCount() == 0) Fail("No track named " + Quoted(track) + " in " + Shown(store));
    return rs;
}

// Why a name cannot be a track's name ("" when it can): the stores keep text, and a NUL or
// bytes that are not UTF-8 are none (a file would keep them, a server refuses them).
std::string NameFault(const std::string& name) {
    if (name.find('\0') != std::string::npos) return "holds a NUL character";
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        size_t n = c < 0x80           ? 1
                   : (c >> 5) == 0x6  ? 2
                   : (c >> 4) == 0xE  ? 3
                   : (c >> 3) == 0x1E ? 4
                                      : 0;
        if (n == 0 || i + n > name.size()) return "is not UTF-8 text";
        uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) {
            const unsigned char d = static_cast<unsigned char>(name[i + k]);
            if ((d & 0xC0) != 0x80) return "is not UTF-8 text";
            cp = (cp << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are no UTF-8 either.
        if ((n == 2 && cp < 0x80) || (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return "is not UTF-8 text";
        i += n;
    }
    return {};
}

// The distinct tracks of a store as it compares names: the engine's DISTINCT, folded A to Z
// when the names are of the server's mappa_name (whose DISTINCT keeps case).
std::vector<std::string> DistinctTracks(ctl::db::Connection& c) {
    RecordSet rs = c.OpenRecordSet("SELECT DISTINCT tratto FROM MAPPA");
    bool fold = false;
    for (const auto& [name, type] : ColumnTypes(c))
        if (name == "tratto") fold = type == "mappa_name";
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const std::string name = rs.Field("tratto").asText();
        if (!fold || seen.insert(FoldName(name)).second) names.push_back(name);
    }
    return names;
}

int64_t WholeNumber(const std::string& text, int64_t min, int64_t max, const char* what, int line) {
    std::string t = ctl::Trim(text);
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (t.empty() || *end != 0 || errno == ERANGE || v < min || v > max)
        Fail("line " + std::to_string(line) + ": " + what + " must be a whole number from " +
             std::to_string(min) + " to " + std::to_string(max) + ", not " + Quoted(text));
    return v;
}

double RealNumber(const std::string& text, const char* what, int line) {
    std::string t = ctl::Trim(text);
    char* end = nullptr;
    double v = std::strtod(t.c_str(), &end);
    if (t.empty() || *end != 0 || !std::isfinite(v))
        Fail("line " + std::to_string(line) + ": " + what +
             " must be a number written with '.', not " + Quoted(text));
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
    // One line per track as the store compares names (a server's names folded A to Z), in the
    // order of the folded names: the same on a file and on a server.
    RecordSet rs = c->OpenRecordSet(
        c->Provider() == "postgresql"
            ? "SELECT min(tratto::text) AS tratto, COUNT(DISTINCT ramo) AS branches, COUNT(*) AS "
              "points FROM MAPPA GROUP BY translate(tratto::text, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', "
              "'abcdefghijklmnopqrstuvwxyz')"
            : "SELECT min(tratto COLLATE BINARY) AS tratto, COUNT(DISTINCT ramo) AS branches, "
              "COUNT(*) AS points FROM MAPPA GROUP BY tratto ORDER BY tratto");
    std::vector<TrackSummary> tracks;
    for (; !rs.IsEOF(); rs.MoveNext())
        tracks.push_back({rs.Field("tratto").asText(), rs.Field("branches").asInteger(),
                          rs.Field("points").asInteger()});
    std::stable_sort(tracks.begin(), tracks.end(),
                     [](const TrackSummary& a, const TrackSummary& b) {
                         return FoldName(a.name) < FoldName(b.name);
                     });
    return tracks;
}

void List(const std::string& store, std::ostream& out) {
    for (const TrackSummary& t : ListTracks(store))
        out << CsvField(t.name) << ',' << t.branches << ',' << t.points << '\n';
}

void ExportCsv(const std::string& store, const std::string& track, std::ostream& out) {
    auto c = OpenChecked(store);
    RecordSet rs = TrackRows(*c, store, track);
    // The whole track first: a row that cannot be written leaves no half-written output.
    std::string text = "ordinale,tratto,ramo,X,Y\n";
    for (int64_t row = 1; !rs.IsEOF(); rs.MoveNext(), ++row) {
        RequireValues(rs, track, row);
        text += std::to_string(rs.Field("ordinale").asInteger()) + ',' +
                CsvField(rs.Field("tratto").asText()) + ',' +
                std::to_string(rs.Field("ramo").asInteger()) + ',' +
                NumberText(rs.Field("X").asDouble()) + ',' + NumberText(rs.Field("Y").asDouble()) +
                '\n';
    }
    out << text;
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
        // A line needs two positions (RFC 7946): a branch of one point is a Point.
        const bool point = coords.items.size() == 1;
        features.items.push_back(Json::object(
            {{"type", Json::string("Feature")},
             {"properties", Json::object({{"tratto", Json::string(name)},
                                          {"ramo", Json::number(double(branch))}})},
             {"geometry",
              Json::object({{"type", Json::string(point ? "Point" : "LineString")},
                            {"coordinates", point ? coords.items.front() : coords}})}}));
        coords = Json::array();
    };
    for (int64_t row = 1; !rs.IsEOF(); rs.MoveNext(), ++row) {
        RequireValues(rs, track, row);
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
    // All or nothing: a fault on any line leaves the store as it was (so no statement needs to
    // fail alone).
    c->setStatementsFailAlone(false);
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
            if (const std::string fault = NameFault(name); !fault.empty())
                Fail("line " + std::to_string(line) + ": the track name " + fault);
            insert.params[0] =
                Value(WholeNumber(f[0], std::numeric_limits<int32_t>::min(),
                                  std::numeric_limits<int32_t>::max(), "ordinale", line));
            insert.params[1] = Value(name);
            insert.params[2] =
                Value(WholeNumber(f[2], 1, std::numeric_limits<int16_t>::max(), "ramo", line));
            insert.params[3] = Value(RealNumber(f[3], "X", line));
            insert.params[4] = Value(RealNumber(f[4], "Y", line));
            c->Execute(insert);
            names.insert(name);
            ++rows;
        }
        // A point twice in one branch would be drawn twice, in no stated order: refused, whether
        // the file repeats it or the store held it already.
        for (const std::string& name : names) {
            RecordSet twice = c->OpenRecordSet(Statement(
                "SELECT ramo, ordinale FROM MAPPA WHERE tratto=? GROUP BY ramo, ordinale HAVING "
                "COUNT(*) > 1",
                {name}));
            if (!twice.IsEOF())
                Fail("track " + Quoted(name) + ", branch " +
                     std::to_string(twice.Field("ramo").asInteger()) + ": the ordinal " +
                     std::to_string(twice.Field("ordinale").asInteger()) +
                     " would be there twice; nothing was imported");
            // The control plays branches 1 to their count: a branch beyond a gap is never
            // played.
            RecordSet branches = c->OpenRecordSet(
                Statement("SELECT DISTINCT ramo FROM MAPPA WHERE tratto=? ORDER BY ramo", {name}));
            int64_t expected = 1;
            for (; !branches.IsEOF(); branches.MoveNext(), ++expected)
                if (branches.Field("ramo").asInteger() != expected)
                    Fail("track " + Quoted(name) +
                         ": its branches must run 1, 2, 3 ... without "
                         "a gap, and branch " +
                         std::to_string(expected) + " would be missing; nothing was imported");
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
    if (NamesFoldByLocale(*c))
        out << "note: tratto is citext, which folds letters beyond A to Z too, as the server's "
               "locale does (\"Éclair\" and \"éclair\" are one track there, two on a file); "
               "a store made by trackdb create folds A to Z only\n";
    else if (!NamesIgnoreCase(*c))
        out << "note: tratto compares names with regard to case (\"River\" and \"river\" are two "
               "tracks); recreate the store with trackdb create to compare them as one\n";
    // Numbers kept as text compare and sort as text (10 before 9).
    for (const auto& [name, type] : ColumnTypes(*c)) {
        if (name == "tratto") continue;
        if (type.find("char") != std::string::npos || type.find("text") != std::string::npos ||
            type.find("clob") != std::string::npos)
            out << "warning: the column " << name << " is of type " << type
                << ": its numbers compare and sort as text\n";
    }
    // The control plays a track's branches 1 to their count.
    RecordSet rs =
        c->OpenRecordSet("SELECT DISTINCT tratto, ramo FROM MAPPA ORDER BY tratto, ramo");
    std::map<std::string, std::pair<std::string, std::vector<int64_t>>> branches;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const std::string name = rs.Field("tratto").asText();
        auto& entry = branches[FoldName(name)];
        if (entry.first.empty()) entry.first = name;
        entry.second.push_back(rs.Field("ramo").isNull() ? 0 : rs.Field("ramo").asInteger());
    }
    for (auto& [folded, entry] : branches) {
        std::vector<int64_t>& list = entry.second;
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
        bool runs = true;
        for (size_t i = 0; i < list.size(); ++i) runs = runs && list[i] == int64_t(i) + 1;
        if (runs) continue;
        std::string shown;
        for (size_t i = 0; i < list.size() && i < 10; ++i)
            shown += (i ? ", " : "") + std::to_string(list[i]);
        if (list.size() > 10) shown += ", ...";
        out << "warning: track " << Quoted(entry.first) << " has the branches " << shown
            << ": they should run 1, 2, 3 ...; the control plays branches 1 to " << list.size()
            << " only\n";
    }
    return true;
}

void Copy(const std::string& from, const std::string& to, std::ostream& out) {
    auto src = OpenChecked(from);
    RecordSet rows = src->OpenRecordSet(
        "SELECT ordinale,tratto,ramo,X,Y FROM MAPPA ORDER BY tratto, ramo, ordinale");
    const int64_t tracks = int64_t(DistinctTracks(*src).size());
    const bool madeFile = !IsServer(to) && ctl::db::FindFileNoCase(to).empty();
    auto dst = OpenStore(to, madeFile);
    dst->setStatementsFailAlone(false);  // all or nothing
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
        // Names that one store tells apart by case and the other does not would merge, or
        // names that one takes as one track would split.
        const int64_t copied = int64_t(DistinctTracks(*dst).size());
        if (copied < tracks)
            Fail(Shown(from) + " has tracks whose names differ only in case, which " + Shown(to) +
                 " would make one: nothing was copied");
        if (copied > tracks)
            Fail(Shown(from) +
                 " takes names that differ in letters beyond A to Z (such as "
                 "\"Éclair\" and \"éclair\") as one track, which " +
                 Shown(to) + " would split into " + std::to_string(copied) +
                 " tracks: nothing was copied");
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
