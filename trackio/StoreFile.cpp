#include "StoreFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "platform/db/ConnectionString.h"
#include "platform/db/PostgresConnection.h"
#include "platform/db/SqliteConnection.h"
#include "platform/sys/Text.h"

namespace trackio {

std::string StorePath(const std::string& store, bool makeFolder) {
    struct stat st {};
    if (!store.empty() && store.back() == '/' && ::stat(store.c_str(), &st) != 0) {
        // A folder that is not there yet: made for a new store, else its store is missing.
        if (makeFolder) {
            std::error_code ec;
            std::filesystem::create_directories(store, ec);
            if (ec)
                throw std::runtime_error("Cannot make the folder " + store + ": " + ec.message());
        }
        return store + "mappa.mdb";
    }
    if (::stat(store.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        const std::string folder = store + (store.empty() || store.back() != '/' ? "/" : "");
        const std::string conn = ctl::db::FindFileNoCase(folder + "mappa.conn");
        if (!conn.empty()) return ctl::db::ReadConnectionFile(conn);
        return folder + "mappa.mdb";
    }
    return store;
}

bool IsServer(const std::string& store) {
    struct stat st {};
    return ::stat(store.c_str(), &st) != 0 && ctl::db::IsServerAddress(store);
}

std::string Shown(const std::string& store) {
    return IsServer(store) ? ctl::db::DescribeServer(store) : store;
}

std::unique_ptr<ctl::db::Connection> OpenStore(const std::string& path, bool create) {
    if (IsServer(path)) {
        const std::string cs = ctl::db::ServerConnectionString(path);
        auto c = ctl::db::CreateConnection(cs);
        c->Open(cs);
        // A whole store is read or written here: bounded all the same, but not by seconds.
        c->setStatementTimeout(kToolStatementTimeoutMs);
        return c;
    }
    // The file goes to the engine by its path, whatever characters it holds.
    auto c = std::make_unique<ctl::db::SqliteConnection>();
    c->OpenFile(path, create);
    return c;
}

namespace {
// The columns of MAPPA in their order, as the engine's catalogue names them.
ctl::db::RecordSet TableColumns(ctl::db::Connection& c) {
    if (c.Provider() == "postgresql")
        return c.OpenRecordSet(
            "SELECT a.attname AS name FROM pg_attribute a WHERE a.attrelid = to_regclass('mappa') "
            "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum");
    return c.OpenRecordSet("PRAGMA table_info(MAPPA)");
}
}  // namespace

bool HasTable(ctl::db::Connection& c) {
    return TableColumns(c).RecordCount() > 0;
}

std::string MissingColumns(ctl::db::Connection& c) {
    static const char* const kColumns[] = {"ordinale", "tratto", "ramo", "X", "Y"};
    ctl::db::RecordSet rs = TableColumns(c);
    if (rs.RecordCount() == 0) return "the store has no table MAPPA";
    std::vector<std::string> have;
    for (; !rs.IsEOF(); rs.MoveNext()) have.push_back(rs.Field("name").asText());
    std::string missing;
    for (const char* col : kColumns) {
        bool found = false;
        for (const auto& h : have) found = found || ctl::EqualsNoCase(h, col);
        if (!found) missing += std::string(missing.empty() ? "" : ", ") + col;
    }
    if (!missing.empty()) return "the table MAPPA lacks the column(s) " + missing;
    if (have.size() != 5)
        return "the table MAPPA has " + std::to_string(have.size()) +
               " columns; new points need exactly ordinale, tratto, ramo, X, Y";
    for (size_t i = 0; i < 5; ++i)
        if (!ctl::EqualsNoCase(have[i], kColumns[i]))
            return "the columns of MAPPA are not in the order ordinale, tratto, ramo, X, Y";
    return {};
}

std::string FoldName(const std::string& name) {
    std::string out = name;
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return out;
}

std::vector<std::pair<std::string, std::string>> ColumnTypes(ctl::db::Connection& c) {
    std::vector<std::pair<std::string, std::string>> types;
    if (c.Provider() == "postgresql") {
        ctl::db::RecordSet rs = c.OpenRecordSet(
            "SELECT a.attname AS name, format_type(a.atttypid, a.atttypmod) AS type FROM "
            "pg_attribute a WHERE a.attrelid = to_regclass('mappa') AND a.attnum > 0 AND NOT "
            "a.attisdropped ORDER BY a.attnum");
        for (; !rs.IsEOF(); rs.MoveNext())
            types.emplace_back(ctl::ToLower(rs.Field("name").asText()),
                               ctl::ToLower(rs.Field("type").asText()));
        return types;
    }
    ctl::db::RecordSet rs = c.OpenRecordSet("PRAGMA table_info(MAPPA)");
    for (; !rs.IsEOF(); rs.MoveNext())
        types.emplace_back(ctl::ToLower(rs.Field("name").asText()),
                           ctl::ToLower(rs.Field("type").asText()));
    return types;
}

bool NamesFoldByLocale(ctl::db::Connection& c) {
    if (c.Provider() != "postgresql") return false;
    for (const auto& [name, type] : ColumnTypes(c))
        if (name == "tratto") return type.find("citext") != std::string::npos;
    return false;
}

bool NamesIgnoreCase(ctl::db::Connection& c) {
    if (c.Provider() == "postgresql") {
        // The store's own name type folds A to Z; a citext column, or a collation that is not
        // deterministic, compares without case too (by the server's locale).
        for (const auto& [name, type] : ColumnTypes(c))
            if (name == "tratto" && type == "mappa_name") return true;
        ctl::db::RecordSet rs = c.OpenRecordSet(
            "SELECT format_type(a.atttypid, NULL) AS type, "
            "coalesce(l.collisdeterministic, true) AS deterministic FROM pg_attribute a "
            "LEFT JOIN pg_collation l ON l.oid = a.attcollation "
            "WHERE a.attrelid = to_regclass('mappa') AND a.attname = 'tratto'");
        if (rs.RecordCount() == 0) return false;
        return rs.Field("type").asText().find("citext") != std::string::npos ||
               rs.Field("deterministic").asInteger() == 0;
    }
    // The column's collation decides "=", DISTINCT and ORDER BY; it is in the table's text.
    ctl::db::RecordSet rs = c.OpenRecordSet(
        "SELECT sql FROM sqlite_master WHERE type='table' AND name='MAPPA' COLLATE NOCASE");
    if (rs.RecordCount() == 0) return false;
    std::string sql = ctl::ToLower(rs.Field("sql").asText());
    size_t at = sql.find("tratto");
    if (at == std::string::npos) return false;
    size_t end = sql.find(',', at);
    return sql.substr(at, end == std::string::npos ? std::string::npos : end - at).find("nocase") !=
           std::string::npos;
}

std::string NumberText(double v) {
    char buf[40];
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    return buf;
}

}  // namespace trackio
