#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// A text in the form under which it is counted (case folded), with its hash.
struct FoldedKey {
    std::string text;
    uint64_t hash = 0;
};

// How many cells of one list column hold each text, compared without regard to letter case.
// Answers "does any cell equal this text?" in constant time, with the same result as a scan of
// the column. An open-addressing table keeps each slot's hash beside the place of its key, and
// the keys lie end to end in one block, so a look-up usually touches one slot and one key and
// adding a text allocates nothing of its own.
class FoldedCounts {
  public:
    // Folds a text into this table's own key buffer, which the next fold reuses: fold once and
    // use the key for a test and an add.
    const FoldedKey& fold(std::string_view text);

    bool containsKey(const FoldedKey& key) const;
    void addKey(const FoldedKey& key);

    // Where a key is counted, or the slot adding it would take: one look-up serves a test and
    // the add that follows it. A place is good until the table next changes.
    struct Place {
        size_t slot = 0;
        bool counted = false;
        uint64_t version = 0;
    };
    Place locate(const FoldedKey& key) const;
    void addAt(const Place& place, const FoldedKey& key);

    bool contains(std::string_view text) { return containsKey(fold(text)); }
    void add(std::string_view text) { addKey(fold(text)); }
    void remove(std::string_view text);
    void clear();
    size_t distinct() const { return live_; }

  private:
    // A hash of 0 marks a slot never used and 1 a slot used once and freed; real hashes are
    // kept at 2 or more.
    struct Slot {
        uint64_t hash;
        size_t offset;  // of the key in keys_
        uint32_t length;
        int32_t count;
    };
    size_t find(const FoldedKey& key) const;  // slot index or npos
    void grow();
    std::vector<Slot> slots_;
    std::string keys_;
    size_t live_ = 0, used_ = 0;  // used_ counts the freed slots too
    size_t deadBytes_ = 0;        // of keys whose slots were freed
    uint64_t version_ = 0;        // changes whenever a slot does
    FoldedKey scratch_;
};

}  // namespace quorlin
