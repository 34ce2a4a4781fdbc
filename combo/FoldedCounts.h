#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// How many cells of one list column hold each text, compared without regard to letter case.
// Answers "does any cell equal this text?" in constant time, with the same result as a scan of
// the column. An open-addressing table keeps each hash beside its key, so a look-up usually
// touches one slot.
class FoldedCounts {
  public:
    // The form under which a text is counted; fold once and reuse it for a test and an add.
    static std::string Key(std::string_view text);

    bool containsKey(const std::string& key) const;
    void addKey(std::string key);
    bool contains(std::string_view text) const { return containsKey(Key(text)); }
    void add(std::string_view text) { addKey(Key(text)); }
    void remove(std::string_view text);
    void clear();
    size_t distinct() const { return live_; }

  private:
    // Parallel arrays: probing reads only the hashes. A hash of 0 marks a slot never used and 1 a
    // slot used once and freed; real hashes are kept at 2 or more.
    static uint64_t HashOf(const std::string& key);
    size_t find(const std::string& key, uint64_t hash) const;  // slot index or npos
    void grow();
    std::vector<uint64_t> hashes_;
    std::vector<int32_t> counts_;
    std::vector<std::string> keys_;
    size_t live_ = 0, used_ = 0;  // used_ counts the freed slots too
};

}  // namespace quorlin
