#pragma once
// Temporary folders and track-store files for the tests.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "PgServer.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteConnection.h"
#include "trackio/Schema.h"

// A fresh folder, removed with its files when the guard ends. Its path ends with "/".
struct TempFolder {
    std::string path;
    TempFolder() {
        std::string pattern = ::testing::TempDir() + "store_XXXXXX";
        char* made = mkdtemp(pattern.data());
        EXPECT_TRUE(made);
        path = pattern + "/";
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::string file(const std::string& name) const { return path + name; }
};

// A connection to a store file, made if absent.
inline std::unique_ptr<ctl::db::Connection> OpenFile(const std::string& path, bool create = true) {
    auto c = std::make_unique<ctl::db::SqliteConnection>();
    c->OpenFile(path, create);
    return c;
}

// The store's table as its tool makes it: names compare without regard to case.
inline void MakeStore(const std::string& path, const std::string& columns =
                                                   "ordinale INTEGER, tratto TEXT COLLATE NOCASE, "
                                                   "ramo INTEGER, X REAL, Y REAL") {
    auto c = OpenFile(path);
    c->Execute("CREATE TABLE MAPPA (" + columns + ")");
}

// Adds the rows of one branch: ordinals from `first`, points (i * 10, i * 20).
inline void AddBranch(const std::string& path, const std::string& name, int branch, int first,
                      int count) {
    auto c = OpenFile(path, false);
    c->BeginTrans();
    for (int i = 0; i < count; ++i)
        c->Execute(ctl::db::Statement("INSERT INTO MAPPA VALUES (?,?,?,?,?)",
                                      {first + i, name, branch, double(i * 10), double(i * 20)}));
    c->CommitTrans();
}

// Where a store test's track store lives: a file in a folder of its own, or a fresh database
// of the shared throw-away server, named by the folder's mappa.conn. Either way the folder is
// what the control opens. The server cases fail (never skip) when the server cannot start.
enum class StoreKind { File, Server };

inline std::string KindName(StoreKind k) {
    return k == StoreKind::File ? "File" : "Server";
}

struct TestStore {
    StoreKind kind;
    TempFolder dir;
    std::string conninfo;  // the server's database

    explicit TestStore(StoreKind k) : kind(k) {
        if (kind == StoreKind::File) return;
        PgServer& server = PgServer::Shared();
        if (!server.Running()) {
            ADD_FAILURE() << "the throw-away PostgreSQL server is not running: " << server.Error();
            return;
        }
        conninfo = server.NewDatabase();
        std::ofstream(dir.file("mappa.conn")) << conninfo << "\n";
    }
    bool Ready() const { return kind == StoreKind::File || !conninfo.empty(); }
    // The connection string of the store (a file made when absent).
    std::string ConnectionString() const {
        return kind == StoreKind::File
                   ? "provider=sqlite;data source=" + dir.file("mappa.mdb") + ";create=yes;"
                   : "provider=postgresql;" + conninfo;
    }
    std::unique_ptr<ctl::db::Connection> Connect() const {
        auto c = ctl::db::CreateConnection(ConnectionString());
        c->Open(ConnectionString());
        return c;
    }
    // The table as the store tool makes it (names compare without regard to case), or with
    // other columns.
    void Make(const std::string& columns = "") const {
        if (columns.empty()) {
            trackio::CreateTrackTable(*Connect());
            return;
        }
        Connect()->Execute("CREATE TABLE MAPPA (" + columns + ")");
    }
    // Adds the rows of one branch: ordinals from `first`, points (i * 10, i * 20).
    void AddBranch(const std::string& name, int branch, int first, int count) const {
        auto c = Connect();
        c->BeginTrans();
        for (int i = 0; i < count; ++i)
            c->Execute(
                ctl::db::Statement("INSERT INTO MAPPA VALUES (?,?,?,?,?)",
                                   {first + i, name, branch, double(i * 10), double(i * 20)}));
        c->CommitTrans();
    }
};

// A map-mode chart loaded from its form file (the store opens when a map chart is loaded).
inline std::string MapChart(const TempFolder& dir) {
    std::ofstream(dir.file("form.json"))
        << R"({"class": "Karvex.ucKarvex", "properties": {"MapStyle": 0, "Delay": 2}})";
    return "[\"load\", \"Karvex.ucKarvex\", \"" + dir.file("form.json") + "\", {\"folder\": \"" +
           dir.path + "\", \"width\": 9600, \"height\": 6200}]\n";
}
