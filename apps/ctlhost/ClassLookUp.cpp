#include "apps/ctlhost/ClassLookUp.h"

#include <algorithm>
#include <cctype>

#include "platform/com/RaisedError.h"

namespace ctlhost {

namespace {
bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}
}  // namespace

std::string FullClassName(const std::string& name) {
    if (name.find('.') != std::string::npos) return name;
    std::vector<std::string> offered;  // full names, each once
    for (const ctl::LibraryManifest& m : ctl::FindManifests())
        for (const std::string& progId : m.classes) {
            const size_t dot = progId.find('.');
            if (dot == std::string::npos || !SameNoCase(progId.substr(dot + 1), name)) continue;
            bool seen = false;
            for (const auto& o : offered) seen = seen || SameNoCase(o, progId);
            if (!seen) offered.push_back(progId);
        }
    if (offered.size() == 1) return offered.front();
    if (offered.empty()) return name;
    std::string list;
    for (const auto& o : offered) list += (list.empty() ? "" : ", ") + o;
    ctl::Raise(429, "Several libraries offer a class " + name + " (" + list +
                        "): name it with its library");
}

const ctl::ControlClass& LookUpClass(const std::string& name) {
    return ctl::LookUpControlClass(FullClassName(name));
}

}  // namespace ctlhost
