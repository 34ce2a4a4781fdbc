#include "platform/com/LibraryManifest.h"

#include <cctype>
#include <fstream>
#include <sstream>

#include "platform/com/Json.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/Text.h"

namespace ctl {

namespace {
constexpr int kCannotCreate = 429;
constexpr size_t kMaxManifestBytes = 64 * 1024;

[[noreturn]] void Bad(const std::string& path, const std::string& why) {
    Raise(kCannotCreate, "Bad control manifest " + path + ": " + why);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// "Library.Class": two non-empty names of letters, digits and underscores.
bool IsClassName(const std::string& s) {
    size_t dot = s.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == s.size()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (i == dot) continue;
        if (!(std::isalnum(c) || c == '_')) return false;
    }
    return true;
}

std::string Required(const Json& doc, const std::string& path, const char* key) {
    const Json* v = doc.find(key);
    if (!v || v->kind != Json::String || v->s.empty())
        Bad(path, std::string("\"") + key + "\" must be a non-empty text");
    return v->s;
}
}  // namespace

bool LibraryManifest::offers(const std::string& progId) const {
    for (const auto& c : classes)
        if (EqualsNoCase(c, progId)) return true;
    return false;
}

std::string LibraryManifest::toJson() const {
    Json names = Json::array();
    for (const auto& c : classes) names.items.push_back(Json::string(c));
    std::string name = file.substr(file.rfind('/') + 1);
    return Json::object({{"library", Json::string(library)},
                         {"file", Json::string(name)},
                         {"version", Json::string(version)},
                         {"classes", names}})
        .dump();
}

LibraryManifest ReadManifest(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Bad(path, "cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    if (text.str().size() > kMaxManifestBytes) Bad(path, "too large to be a manifest");
    std::string error;
    auto doc = Json::parse(text.str(), &error);
    if (!doc) Bad(path, "not JSON (" + error + ")");
    if (doc->kind != Json::Object) Bad(path, "expected a JSON object");

    LibraryManifest m;
    m.path = path;
    m.library = Required(*doc, path, "library");
    m.version = Required(*doc, path, "version");
    std::string file = Required(*doc, path, "file");
    if (file.find('\0') != std::string::npos) Bad(path, "\"file\" holds a NUL character");
    m.file = file[0] == '/' ? file : FolderOf(path) + "/" + file;

    const Json* classes = doc->find("classes");
    if (!classes || classes->kind != Json::Array || classes->items.empty())
        Bad(path, "\"classes\" must be a non-empty list of class names");
    for (const Json& c : classes->items) {
        if (c.kind != Json::String || !IsClassName(c.s))
            Bad(path, "\"classes\" holds an entry that is not a class name like Library.Class");
        m.classes.push_back(c.s);
    }
    return m;
}

}  // namespace ctl
