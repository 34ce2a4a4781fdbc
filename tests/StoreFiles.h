#pragma once
// Temporary folders and track-store files for the tests.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/db/Connection.h"

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
    std::string cs = "provider=sqlite;data source=" + path + ";" + (create ? "create=yes;" : "");
    auto c = ctl::db::CreateConnection(cs);
    c->Open(cs);
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
