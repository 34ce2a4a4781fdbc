#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bas_DialogFile {

// Shows the file-open dialog and returns the chosen files as full paths; one empty element
// when the user cancels (the in/out arguments are then left as they were).
//   filter:        "Description|pattern|Description|pattern..." or a NUL-separated list of the
//                  same pairs; a text of neither form is taken as one pattern.
//   title:         "#A#O" (not given) shows "Open"; empty text the dialog's own title.
//   fileName:      in: the name to propose; out: the name part of the chosen file.
//   initialFolder: in: where to start; out: the folder of the choice, ending in "/" (left empty
//                  when a multiple selection holds one file).
//   filterIndex:   in/out, 1-based.
std::vector<std::string> ShowOpenDialog(int32_t owner, const std::string& filter,
                                        const std::string& title, std::string& fileName,
                                        std::string& initialFolder, const std::string& defaultExt,
                                        bool mustExist, bool multiSelect, int32_t& filterIndex);

// The description and pattern pairs of a filter text (see ShowOpenDialog).
std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter);

}  // namespace bas_DialogFile
