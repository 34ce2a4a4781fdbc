#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Text.h"

namespace quorlin {

// How many cells of one list column hold each text, compared without regard to letter case.
// Answers "does any cell equal this text?" in constant time, with the same result as a scan of
// the column.
class FoldedCounts {
  public:
    void add(std::string_view text) { ++counts_[ctl::FoldCase(text)]; }
    void remove(std::string_view text) {
        auto it = counts_.find(ctl::FoldCase(text));
        if (it != counts_.end() && --it->second == 0) counts_.erase(it);
    }
    void clear() { counts_.clear(); }
    bool contains(std::string_view text) const { return counts_.count(ctl::FoldCase(text)) != 0; }

  private:
    std::unordered_map<std::string, int> counts_;
};

}  // namespace quorlin
