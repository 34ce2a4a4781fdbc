#pragma once
// The small JSON file each control library installs beside itself, naming its classes, its
// file and its version, so that hosts find a class by its name alone.
#include <string>
#include <vector>

namespace ctl {

struct LibraryManifest {
    std::string path;                  // the manifest file itself
    std::string library;               // "Karvex"
    std::string file;                  // the library file, resolved against the manifest's folder
    std::string version;               // "1.0"
    std::vector<std::string> classes;  // "Karvex.ucKarvex"

    bool offers(const std::string& progId) const;  // without regard to case
    // The manifest as JSON, the library file named relative to the manifest's folder.
    std::string toJson() const;
};

// File names of manifests end with this ("karvex.ctl.json").
inline constexpr const char* kManifestSuffix = ".ctl.json";

// Reads a manifest; raises 429 naming the file and what is wrong with it.
LibraryManifest ReadManifest(const std::string& path);

}  // namespace ctl
