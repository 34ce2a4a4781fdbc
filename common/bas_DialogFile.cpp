#include "common/bas_DialogFile.h"

#include "common/MissingArgument.h"
#include "common/bas_StringFilePath.h"
#include "platform/sys/Prompts.h"

namespace bas_DialogFile {

namespace {
// Longest file name handed to the dialog, as the name buffer allows.
constexpr size_t kMaxFileName = 64000;

std::vector<std::string> Split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i)
        if (i == text.size() || text[i] == sep) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}
}  // namespace

std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter) {
    std::vector<std::pair<std::string, std::string>> pairs;
    if (filter.empty()) return pairs;
    bool bars = filter.find('|') != std::string::npos;
    if (!bars && filter.find('\0') == std::string::npos) return {{filter, filter}};
    std::vector<std::string> parts = Split(filter, bars ? '|' : '\0');
    // The list ends at the first empty description (the closing NULs of the NUL form, a
    // trailing "|").
    for (size_t i = 0; i < parts.size() && !parts[i].empty(); i += 2) {
        std::string pattern = i + 1 < parts.size() ? parts[i + 1] : std::string();
        pairs.push_back({parts[i], pattern.empty() ? "*" : pattern});
    }
    return pairs;
}

std::vector<std::string> ShowOpenDialog(int32_t /*owner*/, const std::string& filter,
                                        const std::string& title, std::string& fileName,
                                        std::string& initialFolder, const std::string& defaultExt,
                                        bool mustExist, bool multiSelect, int32_t& filterIndex) {
    ctl::OpenFileRequest request;
    request.title = title == kMissingArgument ? "Open" : title;
    request.filters = FilterPairs(filter);
    request.filterIndex = filterIndex;
    request.fileName = fileName.substr(0, kMaxFileName);
    request.initialFolder = initialFolder;
    request.defaultExt = defaultExt;
    request.mustExist = mustExist;
    request.multiSelect = multiSelect;

    std::vector<std::string> result{std::string()};
    std::optional<ctl::OpenFileResult> answer = ctl::Prompts().OpenFile(request);
    if (!answer) return result;
    filterIndex = answer->filterIndex;
    if (answer->paths.empty() || answer->paths.front().empty()) return result;

    const std::vector<std::string>& paths = answer->paths;
    std::string folder;
    if (!multiSelect) {
        result[0] = paths.front();
        folder = bas_StringFilePath::PathOfFile(paths.front());
    } else if (paths.size() == 1) {
        // One file of a multiple selection: the whole path, and no folder of its own.
        result[0] = paths.front();
    } else {
        folder = bas_StringFilePath::PathOfFile(paths.front());
        result = paths;
    }
    fileName = bas_StringFilePath::NameOfFile(paths.front());
    initialFolder = folder;
    return result;
}

}  // namespace bas_DialogFile
