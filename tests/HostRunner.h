#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/com/Json.h"

// Runs ctlhost (the binary named by CTLHOST) with the given script on standard input; returns
// its output lines parsed. With a time limit, a host that has not ended by then is killed
// (and the run fails) rather than holding up the tests.
inline std::vector<ctl::Json> RunHost(const std::string& script, int limitSeconds = 0) {
    const char* exe = std::getenv("CTLHOST");
    EXPECT_TRUE(exe) << "CTLHOST is not set";
    if (!exe) return {};
    // One file per process: test programs of other checkouts may run at the same time.
    std::string in = ::testing::TempDir() + "ctlhost_in_" + std::to_string(getpid()) + ".jsonl";
    std::ofstream(in) << script;
    std::string cmd = std::string(exe) + " < " + in + " 2>/dev/null";
    if (limitSeconds > 0) cmd = "timeout -s KILL " + std::to_string(limitSeconds) + " " + cmd;
    FILE* p = popen(cmd.c_str(), "r");
    std::vector<ctl::Json> out;
    char buf[65536];
    while (fgets(buf, sizeof buf, p)) {
        auto j = ctl::Json::parse(buf);
        EXPECT_TRUE(j) << "not JSON: " << buf;
        if (j) out.push_back(*j);
    }
    EXPECT_EQ(pclose(p), 0) << "ctlhost did not exit cleanly";
    return out;
}

// The number of an {"error": ...} line, 0 for any other line.
inline int ErrorNumber(const ctl::Json& j) {
    const ctl::Json* e = j.find("error");
    return e && e->find("number") ? int(e->find("number")->n) : 0;
}

// The output lines, one a line, for failure messages.
inline std::string Dump(const std::vector<ctl::Json>& out) {
    std::string s;
    for (const auto& j : out) s += j.dump() + "\n";
    return s;
}

// The lines after the echo `mark`, up to the next echo, without property notifications.
inline std::vector<ctl::Json> Section(const std::vector<ctl::Json>& out, const std::string& mark) {
    std::vector<ctl::Json> lines;
    bool in = false;
    for (const ctl::Json& j : out) {
        if (const ctl::Json* e = j.find("echo")) {
            if (in) break;
            in = e->s == mark;
            continue;
        }
        if (in && !j.find("changed")) lines.push_back(j);
    }
    return lines;
}
