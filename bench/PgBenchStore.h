#pragma once
// The PostgreSQL benchmarks' store: a throw-away server started once per run, a database of
// its own per store, the table made as the store tool makes it, and an application folder
// whose mappa.conn names that database.
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "PgServer.h"
#include "RatioReporter.h"
#include "platform/db/Connection.h"
#include "trackio/Schema.h"

namespace bench {

inline PgServer& Server() {
    static PgServer server;
    return server;
}

struct PgBenchStore {
    std::string folder = Server().Folder() + "/app/";  // removed with the server
    std::string conninfo;
    PgBenchStore() {
        ::mkdir(folder.c_str(), 0700);
        conninfo = Server().NewDatabase();
        std::FILE* f = std::fopen((folder + "mappa.conn").c_str(), "w");
        std::fprintf(f, "%s\n", conninfo.c_str());
        std::fclose(f);
        trackio::CreateTrackTable(*Connect());
    }
    std::unique_ptr<ctl::db::Connection> Connect() const {
        auto c = ctl::db::CreateConnection("provider=postgresql;" + conninfo);
        c->Open("provider=postgresql;" + conninfo);
        return c;
    }
};

// Runs the benchmarks with their repetitions taking turns, so a load that comes and goes on a
// shared machine falls on both alike, and ends with the wall-clock ratio (the server's work is
// done in its own processes, which the client's processor time leaves out).
inline int RunInterleavedWithRatio(int argc, char** argv, const std::string& measured,
                                   const std::string& baseline) {
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    return RunWithRatio(int(args.size()), args.data(), measured, baseline, RatioClock::Wall);
}

}  // namespace bench
