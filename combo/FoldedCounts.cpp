#include "combo/FoldedCounts.h"

#include <functional>

#include "platform/sys/Text.h"

namespace quorlin {

namespace {
constexpr uint64_t kNeverUsed = 0, kFreed = 1;
}  // namespace

uint64_t FoldedCounts::HashOf(const std::string& key) {
    return std::hash<std::string>{}(key) | 2u;
}

std::string FoldedCounts::Key(std::string_view text) {
    return ctl::FoldCase(text);
}

size_t FoldedCounts::find(const std::string& key, uint64_t hash) const {
    if (hashes_.empty()) return std::string::npos;
    size_t mask = hashes_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        uint64_t h = hashes_[i];
        if (h == kNeverUsed) return std::string::npos;
        if (h == hash && keys_[i] == key) return i;
    }
}

bool FoldedCounts::containsKey(const std::string& key) const {
    return find(key, HashOf(key)) != std::string::npos;
}

void FoldedCounts::addKey(std::string key) {
    uint64_t hash = HashOf(key);
    size_t at = find(key, hash);
    if (at != std::string::npos) {
        ++counts_[at];
        return;
    }
    if ((used_ + 1) * 2 > hashes_.size()) grow();
    size_t mask = hashes_.size() - 1;
    size_t i = hash & mask;
    while (hashes_[i] > kFreed) i = (i + 1) & mask;
    if (hashes_[i] == kNeverUsed) ++used_;
    hashes_[i] = hash;
    counts_[i] = 1;
    keys_[i] = std::move(key);
    ++live_;
}

void FoldedCounts::remove(std::string_view text) {
    std::string key = Key(text);
    size_t at = find(key, HashOf(key));
    if (at == std::string::npos) return;
    if (--counts_[at] == 0) {
        hashes_[at] = kFreed;
        keys_[at].clear();
        --live_;
    }
}

void FoldedCounts::clear() {
    hashes_.clear();
    counts_.clear();
    keys_.clear();
    live_ = used_ = 0;
}

void FoldedCounts::grow() {
    // At most half full after growing; freed slots are dropped on the way.
    size_t size = 16;
    while (size < (live_ + 1) * 3) size *= 2;
    std::vector<uint64_t> oldHashes(size, kNeverUsed);
    std::vector<int32_t> oldCounts(size, 0);
    std::vector<std::string> oldKeys(size);
    oldHashes.swap(hashes_);
    oldCounts.swap(counts_);
    oldKeys.swap(keys_);
    used_ = 0;
    size_t mask = size - 1;
    for (size_t j = 0; j < oldHashes.size(); ++j) {
        if (oldHashes[j] <= kFreed) continue;
        size_t i = oldHashes[j] & mask;
        while (hashes_[i] != kNeverUsed) i = (i + 1) & mask;
        hashes_[i] = oldHashes[j];
        counts_[i] = oldCounts[j];
        keys_[i] = std::move(oldKeys[j]);
        ++used_;
    }
}

}  // namespace quorlin
