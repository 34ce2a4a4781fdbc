#include "platform/sys/FileSearch.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace ctl {

namespace fs = std::filesystem;

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    // Iterative matcher with one back-tracking point per '*': linear in practice, never
    // exponential on patterns like "*a*a*a*b".
    size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<FoundEntry> FindEntries(const std::string& path, size_t limit) {
    std::vector<FoundEntry> found;
    if (path.empty() || limit == 0) return found;
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    size_t slash = p.rfind('/');
    std::string folder = slash == std::string::npos ? "." : p.substr(0, slash + 1);
    std::string last = slash == std::string::npos ? p : p.substr(slash + 1);
    if (last.empty()) return found;
    std::error_code ec;
    if (last.find_first_of("*?") == std::string::npos) {
        fs::file_status st = fs::status(fs::path(p), ec);
        if (!ec && fs::exists(st)) found.push_back({last, fs::is_directory(st)});
        return found;
    }
    if (last == "*.*") last = "*";
    for (fs::directory_iterator it(fs::path(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!WildcardMatch(last, name)) continue;
        std::error_code sec;
        found.push_back({name, it->is_directory(sec)});
        if (found.size() >= limit) break;
    }
    return found;
}

}  // namespace ctl
