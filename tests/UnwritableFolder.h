#pragma once
// A folder that exists and in which no file can be made.
#include <cstdio>
#include <filesystem>
#include <string>

// `base` made and its write permission taken away; for a user whom permissions do not stop
// (root), /proc, where nobody makes files.
inline std::string UnwritableFolder(const std::string& base) {
    namespace fs = std::filesystem;
    fs::create_directories(base);
    fs::permissions(base, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    const std::string probe = base + "/probe";
    if (FILE* f = std::fopen(probe.c_str(), "w")) {
        std::fclose(f);
        std::remove(probe.c_str());
        return "/proc";
    }
    return base;
}
