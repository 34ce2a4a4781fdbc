#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace karvex {

// The rows of the branch a store read last, with what the store had seen of changes then: a
// track replayed again while nothing can have changed it is handed over from here instead of
// being read anew (reading a long branch costs more than drawing it).
struct KeptBranch {
    // What changes a store has seen: others' commits as its connection counts them, and the
    // store's own writes.
    struct Version {
        int64_t byOthers = 0;
        uint64_t own = 0;
        bool operator==(const Version&) const = default;
    };

    bool Holds(const std::string& trackName, int16_t branchNo,
               const std::optional<Version>& now) const {
        return version && now && *version == *now && branch == branchNo && name == trackName;
    }
    void Keep(const std::string& trackName, int16_t branchNo, const Version& at,
              const std::vector<double>& xs, const std::vector<double>& ys) {
        name = trackName;
        branch = branchNo;
        version = at;
        x.assign(xs.begin(), xs.end());
        y.assign(ys.begin(), ys.end());
    }
    void Forget() {
        version.reset();
        x = {};
        y = {};
    }

    std::string name;
    int16_t branch = 0;
    std::optional<Version> version;  // none: nothing kept
    std::vector<double> x, y;
};

}  // namespace karvex
