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
// the column. An open-addressing table of 16-byte slots (four to a cache line) keeps part of
// each key's hash beside the place of its key, and the keys lie end to end in one block, each
// after its length, so a look-up usually touches one slot and one key and adding a text
// allocates nothing of its own.
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
    // A count of 0 marks a slot never used and -1 a slot used once and freed.
    struct Slot {
        uint32_t check;  // the hash's upper half
        int32_t count;
        uint64_t offset;  // of the key's length in keys_, the key's bytes after it
    };
    bool holds(const Slot& s, const FoldedKey& key) const;
    std::string_view keyAt(uint64_t offset) const;
    static std::string_view KeyIn(const std::string& keys, uint64_t offset);
    void grow();
    std::vector<Slot> slots_;
    std::string keys_;
    size_t live_ = 0, used_ = 0;  // used_ counts the freed slots too
    size_t deadBytes_ = 0;        // of keys whose slots were freed
    uint64_t version_ = 0;        // changes whenever a slot does
    FoldedKey scratch_;
};

}  // namespace quorlin
