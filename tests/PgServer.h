#pragma once
// A throw-away PostgreSQL server for the tests and benchmarks: its data folder and its Unix
// socket in a fresh temporary folder, no TCP port. A watchdog process stops it and removes the
// folder when the server object ends, and also when the process that started it dies (a failed
// assertion, a crash, a kill): no server outlives its test run.
//
// The server refuses to run as root, so under root initdb and pg_ctl run as the `postgres`
// system user (the folder then belongs to it).
#include <fcntl.h>
#include <glob.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/com/RaisedError.h"
#include "platform/db/Connection.h"

class PgServer {
  public:
    PgServer() { start(); }
    ~PgServer() { Stop(); }
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    bool Running() const { return running_; }
    // Why the server is not running ("" while it is).
    const std::string& Error() const { return error_; }
    // The libpq key=value string of one of its databases.
    std::string Conninfo(const std::string& db = "postgres") const {
        return "host=" + dir_ + " port=" + std::to_string(kPort) + " user=postgres dbname=" + db;
    }
    const std::string& Folder() const { return dir_; }

    // A new empty database (with the citext type the store's names use); its libpq string.
    std::string NewDatabase() {
        const std::string name = "t" + std::to_string(getpid()) + "_" + std::to_string(++made_);
        Admin().Execute("CREATE DATABASE " + name);
        return Conninfo(name);
    }

    void Stop() {
        // A forked test process that exits normally must not stop its parent's server.
        if (::getpid() != owner_) return;
        admin_.reset();
        if (watchdog_ > 0) {
            ::close(wake_);  // the watchdog's pipe ends: it stops the server
            waitpid(watchdog_, nullptr, 0);
            watchdog_ = 0;
        }
        running_ = false;
    }

    // One server for the whole test program, started at its first use; the test environment
    // stops it at the end (the watchdog if the program does not get there).
    static PgServer& Shared() {
        if (!shared()) shared() = std::make_unique<PgServer>();
        return *shared();
    }
    static void StopShared() { shared().reset(); }

  private:
    static constexpr int kPort = 5432;  // only names the socket file: no TCP port is opened
    static std::unique_ptr<PgServer>& shared() {
        static std::unique_ptr<PgServer> s;
        return s;
    }

    ctl::db::Connection& Admin() {
        if (!admin_) {
            const std::string cs = "provider=postgresql;" + Conninfo("postgres");
            admin_ = ctl::db::CreateConnection(cs);
            admin_->Open(cs);
        }
        return *admin_;
    }

    // The folder of initdb and pg_ctl: on the PATH, else the newest installed version's.
    static std::string BinFolder() {
        if (std::system("command -v initdb >/dev/null 2>&1 && command -v pg_ctl >/dev/null 2>&1") ==
            0)
            return "";
        glob_t g{};
        std::string best;
        if (::glob("/usr/lib/postgresql/*/bin/initdb", 0, nullptr, &g) == 0) {
            for (size_t i = 0; i < g.gl_pathc; ++i) {
                std::string p = g.gl_pathv[i];
                p = p.substr(0, p.size() - std::string("initdb").size());
                // Versions compare by number: "9" < "15".
                auto version = [](const std::string& s) {
                    return std::atoi(s.c_str() + std::string("/usr/lib/postgresql/").size());
                };
                if (best.empty() || version(p) > version(best)) best = p;
            }
        }
        ::globfree(&g);
        return best;
    }

    // A UTF-8 locale that the machine has: C.UTF-8 (glibc ships it), else en_US.UTF-8.
    static std::string Utf8Locale() {
        FILE* p = ::popen("locale -a 2>/dev/null", "r");
        std::string all;
        if (p) {
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) all.append(buf, n);
            ::pclose(p);
        }
        std::string lower;
        for (char c : all) lower += char(std::tolower(static_cast<unsigned char>(c)));
        auto has = [&](const std::string& name) {
            return ("\n" + lower).find("\n" + name + "\n") != std::string::npos;
        };
        if (has("c.utf8") || has("c.utf-8")) return "C.UTF-8";
        if (has("en_us.utf8") || has("en_us.utf-8")) return "en_US.UTF-8";
        return {};
    }

    std::string Tail(const std::string& file) const {
        std::ifstream in(file);
        std::stringstream ss;
        ss << in.rdbuf();
        std::string s = ss.str();
        return s.size() > 1500 ? s.substr(s.size() - 1500) : s;
    }

    void start() {
        char pattern[] = "/tmp/pgtest_XXXXXX";
        if (!::mkdtemp(pattern)) {
            error_ = "cannot make a temporary folder for the server";
            return;
        }
        dir_ = pattern;
        std::string as;  // the command prefix that runs a program as the server's user
        if (::geteuid() == 0) {
            const passwd* pw = ::getpwnam("postgres");
            if (!pw) {
                error_ =
                    "running as root, and there is no postgres system user to run the "
                    "server as (install the postgresql package)";
                std::system(("rm -rf '" + dir_ + "'").c_str());
                return;
            }
            if (::chown(dir_.c_str(), pw->pw_uid, pw->pw_gid) != 0) {
                error_ = "cannot give " + dir_ + " to the postgres user";
                return;
            }
            as = "runuser -u postgres -- ";
        }
        const std::string bin = BinFolder();
        const std::string data = dir_ + "/data";
        // As a packaged server runs: in a UTF-8 locale, whose case rules fold letters beyond
        // A to Z (the store's names must compare the same as on a file all the same).
        const std::string locale = Utf8Locale();
        if (locale.empty()) {
            error_ =
                "no UTF-8 locale on this machine (C.UTF-8 or en_US.UTF-8; scripts/setup.sh "
                "provides one)";
            std::system(("rm -rf '" + dir_ + "'").c_str());
            return;
        }
        std::string cmd = as + bin + "initdb -D '" + data +
                          "' -A trust -U postgres -E UTF8 --locale=" + locale + " --no-sync > '" +
                          dir_ + "/initdb.log' 2>&1";
        if (std::system(cmd.c_str()) != 0) {
            error_ = "initdb failed (is the postgresql package installed?): " + cmd + "\n" +
                     Tail(dir_ + "/initdb.log");
            std::system(("rm -rf '" + dir_ + "'").c_str());
            return;
        }
        // The watchdog first: from here on the folder goes away whatever happens.
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            error_ = "cannot make the watchdog's pipe";
            return;
        }
        const std::string stop = as + bin + "pg_ctl -D '" + data +
                                 "' -m immediate -w stop >/dev/null 2>&1; rm -rf '" + dir_ + "'";
        watchdog_ = ::fork();
        if (watchdog_ == 0) {
            ::close(fds[1]);
            ::setsid();  // a terminal's Ctrl-C for the test run must not kill the watchdog
            ::signal(SIGINT, SIG_IGN);
            char b;
            while (::read(fds[0], &b, 1) != 0) {
            }
            execl("/bin/sh", "sh", "-c", stop.c_str(), static_cast<char*>(nullptr));
            _exit(1);
        }
        ::close(fds[0]);
        wake_ = fds[1];
        cmd = as + bin + "pg_ctl -D '" + data + "' -l '" + dir_ +
              "/server.log' -w -t 60 -o \"-k '" + dir_ + "' -p " + std::to_string(kPort) +
              " -c listen_addresses='' -F -c synchronous_commit=off -c full_page_writes=off\" "
              "start > /dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0) {
            error_ = "the server did not start: " + cmd + "\n" + Tail(dir_ + "/server.log");
            Stop();
            return;
        }
        try {
            // Every database made later copies template1, and with it the citext type.
            const std::string cs = "provider=postgresql;" + Conninfo("template1");
            auto t = ctl::db::CreateConnection(cs);
            t->Open(cs);
            t->Execute("CREATE EXTENSION IF NOT EXISTS citext");
            t->Close();
            Admin();
        } catch (const ctl::RaisedError& e) {
            error_ = "the server started but does not answer: " + e.description() + "\n" +
                     Tail(dir_ + "/server.log");
            Stop();
            return;
        }
        running_ = true;
    }

    std::string dir_;
    std::string error_;
    bool running_ = false;
    pid_t watchdog_ = 0;
    int wake_ = -1;
    int made_ = 0;
    pid_t owner_ = ::getpid();
    std::unique_ptr<ctl::db::Connection> admin_;
};
