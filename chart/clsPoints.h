#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/tyPoint.h"
#include "platform/com/Variant.h"

// The ordered, keyed series of points of a chart. Positions are 1-based; every point has a
// unique key compared without regard to case. Look-ups by key are constant time. Errors are
// those of a collection: 457 for a key already used, 5 for a position or key that is not
// there.
class clsPoints : public ctl::Object {
  public:
    // Appends a point under Key (trimmed), or under its default key when Key is blank.
    void Add(const ctl::Variant& X, const ctl::Variant& Y, const std::string& Key = "");
    void Clear();
    int32_t Count() const { return int32_t(items_.size()); }
    // By 1-based position (a number) or by key (a text).
    tyPointPtr Item(const ctl::Variant& Index) const;
    // The stored Index of the point under Key.
    int32_t Index(const std::string& Key) const;

    // The point at a 0-based position (no check: callers test against Count()).
    const tyPointPtr& at(size_t i) const { return items_[i]; }
    // Walks the points in order.
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // The default key: "X:Y" with both values as shortest decimal text with a "." separator.
    static std::string PointKey(const ctl::Variant& X, const ctl::Variant& Y);

    const ctl::ClassInfo* typeInfo() const override;
    std::string typeName() const override { return "clsPoints"; }

  private:
    std::string FreeDefaultKey(const ctl::Variant& X, const ctl::Variant& Y);
    const tyPointPtr* Find(const std::string& key) const;

    std::vector<tyPointPtr> items_;
    std::unordered_map<std::string, size_t> byKey_;  // folded key -> position (0-based)
    // Highest counter handed out per default key: every suffix up to it is taken, so the next
    // search starts above it instead of at 1.
    std::unordered_map<std::string, int32_t> lastCounter_;
};
