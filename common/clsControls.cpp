#include "common/clsControls.h"

#include <algorithm>

#include "platform/com/RaisedError.h"

namespace {
const char* kNoSuchEntry = "Invalid procedure call or argument";
}

void clsControls::Add(int32_t hWnd, int32_t Parent_hwnd) {
    auto entry = std::make_shared<tyControl>();
    entry->hWnd = hWnd;
    entry->Parent_hwnd = Parent_hwnd;
    const std::string key = KeyOf(Parent_hwnd);
    if (Exists(key)) {
        std::shared_ptr<tyControl> present = Item(key);
        if (present->DefWndProc) ctl::SetWindowProc(Parent_hwnd, present->DefWndProc);
        Remove(key);
    }
    entries_.emplace_back(key, std::move(entry));
}

void clsControls::Remove(const std::string& key) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&key](const Entry& e) { return e.first == key; });
    if (it == entries_.end()) ctl::Raise(ctl::errInvalidCall, kNoSuchEntry);
    entries_.erase(it);
}

std::shared_ptr<tyControl> clsControls::Item(const std::string& key) const {
    for (const Entry& e : entries_)
        if (e.first == key) return e.second;
    ctl::Raise(ctl::errInvalidCall, kNoSuchEntry);
}

bool clsControls::Exists(const std::string& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&key](const Entry& e) { return e.first == key; });
}

void clsControls::Clear() {
    while (!entries_.empty()) entries_.pop_back();
}
