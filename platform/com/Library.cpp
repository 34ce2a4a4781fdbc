#include "platform/com/Library.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>

#include "platform/com/RaisedError.h"
#include "platform/sys/FileSearch.h"
#include "platform/sys/Text.h"

namespace ctl {

namespace {
constexpr int kCannotCreate = 429;

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string RuntimeFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&RuntimeFolder), &info) && info.dli_fname) {
        std::string path = info.dli_fname;
        size_t slash = path.rfind('/');
        if (slash != std::string::npos) return slash == 0 ? "/" : path.substr(0, slash);
    }
    return ".";
}

// Loaded libraries by file, kept for the life of the process: controls, their type tables
// and their code must outlive every instance a host made.
void* Load(const std::string& file, const std::string& progId) {
    static std::map<std::string, void*> loaded;
    char* real = realpath(file.c_str(), nullptr);
    std::string key = real ? real : file;
    free(real);
    if (auto it = loaded.find(key); it != loaded.end()) return it->second;
    if (!IsFile(file)) Raise(kCannotCreate, "The library of " + progId + " is missing: " + file);
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        Raise(kCannotCreate,
              "The library of " + progId + " cannot be loaded: " + (why ? std::string(why) : file));
    }
    loaded[key] = handle;
    return handle;
}

const ControlClass& ClassFrom(const std::string& file, const std::string& progId) {
    void* handle = Load(file, progId);
    auto get = reinterpret_cast<CtlGetClassObjectFn>(dlsym(handle, "CtlGetClassObject"));
    if (!get || !dlsym(handle, "CtlCanUnloadNow"))
        Raise(kCannotCreate, "The library " + file +
                                 " is not a control library (it lacks the entry points "
                                 "CtlGetClassObject and CtlCanUnloadNow)");
    const ControlClass* cls = get(progId.c_str());
    if (!cls || !cls->create || !cls->typeInfo)
        Raise(kCannotCreate, "The library " + file + " does not offer the class " + progId);
    return *cls;
}

std::string LibraryPart(const std::string& progId) {
    size_t dot = progId.find('.');
    bool valid = dot != std::string::npos && dot > 0 && dot + 1 < progId.size();
    for (size_t i = 0; valid && i < progId.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(progId[i]);
        valid = i == dot || std::isalnum(c) || c == '_';
    }
    if (!valid) Raise(kCannotCreate, "Invalid class name: " + progId + " (expected Library.Class)");
    return ToLower(progId.substr(0, dot));
}
}  // namespace

std::vector<std::string> ControlSearchPath() {
    std::string runtime = RuntimeFolder();
    std::vector<std::string> folders{runtime, runtime + "/ctlcontrols"};
    if (const char* extra = std::getenv("CTL_CONTROL_PATH")) {
        std::string list = extra;
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find(':', start);
            if (end == std::string::npos) end = list.size();
            std::string folder = list.substr(start, end - start);
            while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
            if (!folder.empty() &&
                std::find(folders.begin(), folders.end(), folder) == folders.end())
                folders.push_back(folder);
            start = end + 1;
        }
    }
    return folders;
}

std::vector<LibraryManifest> FindManifests(std::vector<std::string>* problems) {
    std::vector<LibraryManifest> found;
    for (const std::string& folder : ControlSearchPath()) {
        std::vector<FoundEntry> entries = FindEntries(folder + "/*" + kManifestSuffix);
        std::sort(entries.begin(), entries.end(),
                  [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
        for (const FoundEntry& e : entries) {
            if (e.isFolder) continue;
            try {
                found.push_back(ReadManifest(folder + "/" + e.name));
            } catch (const RaisedError& err) {
                if (problems) problems->push_back(err.description());
            }
        }
    }
    return found;
}

const ControlClass& LookUpControlClass(const std::string& progId) {
    std::string lib = LibraryPart(progId);
    if (const char* dir = std::getenv("CTL_LIBRARY_PATH"); dir && *dir) {
        std::string direct = std::string(dir) + "/lib" + lib + ".so";
        if (IsFile(direct)) return ClassFrom(direct, progId);
    }
    std::vector<std::string> problems;
    for (const LibraryManifest& m : FindManifests(&problems))
        if (m.offers(progId)) return ClassFrom(m.file, progId);
    std::string where;
    for (const auto& f : ControlSearchPath()) where += (where.empty() ? "" : ", ") + f;
    std::string text = "No control library offers the class " + progId + " (manifests *" +
                       kManifestSuffix + " searched in " + where + ")";
    for (const auto& p : problems) text += "\n" + p;
    Raise(kCannotCreate, text);
}

std::unique_ptr<UserControl> CreateControl(const std::string& progId, ControlSite& site) {
    return LookUpControlClass(progId).create(site);
}

const ControlClass* FindControlClass(std::initializer_list<const ControlClass*> classes,
                                     const char* progId) {
    if (!progId) return nullptr;
    for (const ControlClass* c : classes)
        if (c && EqualsNoCase(c->progId, progId)) return c;
    return nullptr;
}

}  // namespace ctl
