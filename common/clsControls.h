#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/tyControl.h"

// The registry of hooked host windows, keyed by the decimal text of the form's handle, so a form
// has at most one entry. Entries keep the order they were added in.
class clsControls {
  public:
    clsControls() = default;
    ~clsControls() { Clear(); }
    clsControls(const clsControls&) = delete;
    clsControls& operator=(const clsControls&) = delete;

    // Registers a control for a form. A form already registered is taken over: its previous
    // message handler is put back first and its old entry dropped.
    void Add(int32_t hWnd, int32_t Parent_hwnd);
    // Missing keys raise 5, as a keyed collection does.
    void Remove(const std::string& key);
    std::shared_ptr<tyControl> Item(const std::string& key) const;
    bool Exists(const std::string& key) const;
    // Removes every entry, from the last to the first.
    void Clear();
    int32_t Count() const { return int32_t(entries_.size()); }

    // Enumeration, in the order of adding.
    using Entry = std::pair<std::string, std::shared_ptr<tyControl>>;
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

    static std::string KeyOf(int32_t hwnd) { return std::to_string(hwnd); }

  private:
    std::vector<Entry> entries_;
};
