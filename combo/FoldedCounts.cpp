#include "combo/FoldedCounts.h"

#include <cstring>

#include "platform/sys/Text.h"

namespace quorlin {

namespace {
constexpr uint64_t kNeverUsed = 0, kFreed = 1;
constexpr uint64_t kFnvOffset = 14695981039346656037ull, kFnvPrime = 1099511628211ull;

// The two lowest bits of a kept hash carry the slot marks, so a key's first slot is chosen by
// the bits above them: starting from the marked bits would leave half the slots unused as
// starting points and make long runs of full slots.
uint64_t Kept(uint64_t h) {
    h ^= h >> 29;  // the byte-wise hash mixes its last bytes into its low bits only
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return h | 2u;
}
size_t FirstSlot(uint64_t hash, size_t mask) {
    return size_t(hash >> 2) & mask;
}

uint64_t Hash(std::string_view s) {
    uint64_t h = kFnvOffset;
    for (unsigned char c : s) h = (h ^ c) * kFnvPrime;
    return Kept(h);
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
    scratch_.hash = Kept(h);
    return scratch_;
}

size_t FoldedCounts::find(const FoldedKey& key) const {
    if (slots_.empty()) return std::string::npos;
    size_t mask = slots_.size() - 1;
    for (size_t i = FirstSlot(key.hash, mask);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.hash == kNeverUsed) return std::string::npos;
        if (s.hash == key.hash && s.length == key.text.size() &&
            std::memcmp(keys_.data() + s.offset, key.text.data(), key.text.size()) == 0)
            return i;
    }
}

FoldedCounts::Place FoldedCounts::locate(const FoldedKey& key) const {
    Place place;
    place.version = version_;
    if (slots_.empty()) return place;
    size_t mask = slots_.size() - 1;
    size_t free = std::string::npos;  // the first freed slot on the way, reused by an add
    for (size_t i = FirstSlot(key.hash, mask);; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.hash == kNeverUsed) {
            place.slot = free != std::string::npos ? free : i;
            return place;
        }
        if (s.hash == kFreed) {
            if (free == std::string::npos) free = i;
        } else if (s.hash == key.hash && s.length == key.text.size() &&
                   std::memcmp(keys_.data() + s.offset, key.text.data(), key.text.size()) == 0) {
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
    if (s.hash == kNeverUsed) {
        // A slot never used lengthens the runs look-ups walk: grow first when that would fill
        // the table past half.
        if ((used_ + 1) * 2 > slots_.size()) return addKey(key);
        ++used_;
    }
    s = {key.hash, keys_.size(), uint32_t(key.text.size()), 1};
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
    size_t at = find(fold(text));
    if (at == std::string::npos) return;
    Slot& s = slots_[at];
    if (--s.count == 0) {
        s.hash = kFreed;
        ++version_;
        deadBytes_ += s.length;
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
    // At most half full after growing; freed slots are dropped on the way, and so are their
    // keys when they take up more room than the live ones.
    size_t size = 16;
    while (size < (live_ + 1) * 3) size *= 2;
    std::vector<Slot> old(size, Slot{kNeverUsed, 0, 0, 0});
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
        if (s.hash <= kFreed) continue;
        if (compact) {
            size_t from = s.offset;
            s.offset = keys_.size();
            keys_.append(oldKeys, from, s.length);
        }
        size_t i = FirstSlot(s.hash, mask);
        while (slots_[i].hash != kNeverUsed) i = (i + 1) & mask;
        slots_[i] = s;
        ++used_;
    }
}

}  // namespace quorlin
