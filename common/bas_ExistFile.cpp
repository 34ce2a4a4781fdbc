#include "common/bas_ExistFile.h"

#include "platform/sys/FileSearch.h"
#include "platform/sys/Text.h"

namespace bas_ExistFile {

bool ExistFile(const std::string& path) {
    if (ctl::Trim(path).empty()) return false;
    std::string p = path;
    if (p.back() == '/' || p.back() == '\\') p.pop_back();
    // A closing quote counts only when the first quote after the opening one is the last
    // character, so a quote inside a name is left alone.
    size_t quote = p.size() > 1 ? p.find('"', 1) : std::string::npos;
    if (quote != std::string::npos && quote == p.size() - 1) p.pop_back();
    if (!p.empty() && p[0] == '"') p.erase(0, 1);
    if (p.empty()) return false;
    // Any matching file will do: with a pattern, a folder that happens to match first must not
    // hide the files that match too.
    for (const ctl::FoundEntry& e : ctl::FindEntries(p))
        if (!e.isFolder) return true;
    return false;
}

}  // namespace bas_ExistFile
