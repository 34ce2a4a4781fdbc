#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace ctl {

// Sort keys that order texts the way the user's locale does, without regard to letter case.
// A key is made once per text; comparing two keys afterwards is a cheap byte comparison, so a
// sort of n texts pays for n key builds instead of n log n locale comparisons.
class CollationKeys {
  public:
    CollationKeys();
    ~CollationKeys();
    CollationKeys(const CollationKeys&) = delete;
    CollationKeys& operator=(const CollationKeys&) = delete;

    void reserve(size_t n);
    // The key of `text` (UTF-8) becomes key number size() - 1.
    void add(std::string_view text);
    // The key of UTF-16 text, read as it is.
    void add(std::u16string_view text);
    size_t size() const;
    // Negative, zero or positive as text a sorts before, with or after text b.
    int compare(size_t a, size_t b) const;
    bool less(size_t a, size_t b) const { return compare(a, b) < 0; }
    // Eight bytes of key i from byte `from` on as one number (zeros past the key's end): two
    // keys whose first bytes differ compare as those do, so a sort can order most pairs
    // without reaching into the keys.
    uint64_t prefix(size_t i, size_t from = 0) const;

    struct Impl;

  private:
    std::unique_ptr<Impl> d_;
};

// One locale-aware comparison without regard to case, for a few texts (no keys kept).
int CompareTextNoCase(std::string_view a, std::string_view b);

}  // namespace ctl
