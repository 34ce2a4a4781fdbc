#include "combo/FoldedCounts.h"

#include <cstring>

#include "platform/sys/Text.h"

namespace quorlin {

namespace {
constexpr int32_t kNeverUsed = 0, kFreed = -1;
constexpr uint64_t kFnvOffset = 14695981039346656037ull, kFnvPrime = 1099511628211ull;

uint64_t Mixed(uint64_t h) {
    h ^= h >> 29;  // the byte-wise hash mixes its last bytes into its low bits only
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return h;
}
// The check kept in a slot is the hash's upper half; the slot a key tries first comes from the
// check too, so growing places every key again without hashing it again.
uint32_t Check(uint64_t hash) {
    return uint32_t(hash >> 32);
}
size_t FirstSlot(uint32_t check, size_t mask) {
    return size_t(check) & mask;
}

uint64_t Hash(std::string_view s) {
    uint64_t h = kFnvOffset;
    for (unsigned char c : s) h = (h ^ c) * kFnvPrime;
    return Mixed(h);
}

// A key's length goes before its bytes, seven bits to a byte.
void PutLength(std::string& out, size_t n) {
    while (n >= 0x80) {
        out.push_back(char(0x80 | (n & 0x7F)));
        n >>= 7;
    }
    out.push_back(char(n));
}
}  // namespace

const FoldedKey& FoldedCounts::fold(std::string_view text) {
    std::string& out = scratch_.text;
    out.resize(text.size());
    // Letters A to Z fold in place while the hash is made; any other byte above 0x7F sends the
    // text to the full case folding.
    uint64_t h = kFnvOffset;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            out = ctl::FoldCase(text);
            scratch_.hash = Hash(out);
            return scratch_;
        }
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        out[i] = static_cast<char>(c);
        h = (h ^ c) * kFnvPrime;
    }
    scratch_.hash = Mixed(h);
    return scratch_;
}

std::string_view FoldedCounts::keyAt(uint64_t offset) const {
    return KeyIn(keys_, offset);
}

std::string_view FoldedCounts::KeyIn(const std::string& keys, uint64_t offset) {
    const auto* p = reinterpret_cast<const unsigned char*>(keys.data()) + offset;
    size_t n = 0;
    for (int shift = 0;; shift += 7) {
        unsigned char b = *p++;
        n |= size_t(b & 0x7F) << shift;
        if (b < 0x80) break;
    }
    return {reinterpret_cast<const char*>(p), n};
}

bool FoldedCounts::holds(const Slot& s, const FoldedKey& key) const {
    return s.count > 0 && s.check == Check(key.hash) && keyAt(s.offset) == key.text;
}

FoldedCounts::Place FoldedCounts::locate(const FoldedKey& key) const {
    Place place;
    place.version = version_;
    if (slots_.empty()) return place;
    size_t mask = slots_.size() - 1;
    size_t free = std::string::npos;  // the first freed slot on the way, reused by an add
    for (size_t i = FirstSlot(Check(key.hash), mask);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.count == kNeverUsed) {
            place.slot = free != std::string::npos ? free : i;
            return place;
        }
        if (s.count == kFreed) {
            if (free == std::string::npos) free = i;
        } else if (holds(s, key)) {
            place.slot = i;
            place.counted = true;
            return place;
        }
    }
}

void FoldedCounts::addAt(const Place& place, const FoldedKey& key) {
    if (place.version != version_ || slots_.empty()) return addKey(key);
    if (place.counted) {
        ++slots_[place.slot].count;
        return;
    }
    Slot& s = slots_[place.slot];
    if (s.count == kNeverUsed) {
        // A slot never used lengthens the runs look-ups walk: grow first when that would fill
        // the table past half.
        if ((used_ + 1) * 2 > slots_.size()) return addKey(key);
        ++used_;
    }
    s = {Check(key.hash), 1, keys_.size()};
    PutLength(keys_, key.text.size());
    keys_.append(key.text);
    ++live_;
    ++version_;
}

bool FoldedCounts::containsKey(const FoldedKey& key) const {
    return locate(key).counted;
}

void FoldedCounts::addKey(const FoldedKey& key) {
    Place place = locate(key);
    if (!place.counted && (used_ + 1) * 2 > slots_.size()) {
        grow();
        place = locate(key);
    }
    addAt(place, key);
}

void FoldedCounts::remove(std::string_view text) {
    Place place = locate(fold(text));
    if (!place.counted) return;
    Slot& s = slots_[place.slot];
    if (--s.count == 0) {
        s.count = kFreed;
        ++version_;
        deadBytes_ += keyAt(s.offset).size();
        --live_;
    }
}

void FoldedCounts::clear() {
    ++version_;
    slots_.clear();
    keys_.clear();
    live_ = used_ = deadBytes_ = 0;
}

void FoldedCounts::grow() {
    // At most half full after growing (a quarter right after a doubling); freed slots are
    // dropped on the way, and so are their keys when they take up more room than the live ones.
    size_t size = 16;
    while (size < (live_ + 1) * 2) size *= 2;
    std::vector<Slot> old(size, Slot{0, kNeverUsed, 0});
    old.swap(slots_);
    std::string oldKeys;
    bool compact = deadBytes_ > keys_.size() - deadBytes_;
    if (compact) {
        oldKeys.swap(keys_);
        keys_.reserve(oldKeys.size() - deadBytes_);
        deadBytes_ = 0;
    }
    used_ = 0;
    ++version_;
    size_t mask = size - 1;
    for (Slot s : old) {
        if (s.count <= 0) continue;
        if (compact) {
            std::string_view text = KeyIn(oldKeys, s.offset);
            s.offset = keys_.size();
            PutLength(keys_, text.size());
            keys_.append(text);
        }
        size_t i = FirstSlot(s.check, mask);
        while (slots_[i].count != kNeverUsed) i = (i + 1) & mask;
        slots_[i] = s;
        ++used_;
    }
}

}  // namespace quorlin
