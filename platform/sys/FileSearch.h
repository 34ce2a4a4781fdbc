#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ctl {

// One entry found by a file search.
struct FoundEntry {
    std::string name;  // the entry's own name, without its folder
    bool isFolder = false;
};

// Searches for the entries a path names, as the window system's file search does: the last
// component may hold the wildcards * and ? ("*.*" matches every name), and both "/" and "\"
// separate components. Wildcard patterns match names without regard to case; a plain name must
// exist as written. At most `limit` entries are returned; nothing is raised, an unreadable
// folder simply yields no entries.
std::vector<FoundEntry> FindEntries(const std::string& path, size_t limit = SIZE_MAX);

// True when a name matches a pattern of * and ? (case-insensitive for ASCII letters).
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace ctl
