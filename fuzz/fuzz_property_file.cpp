// Fuzz target: a property file as the host stores it, read into each control class of both
// libraries at design time and at run time, then written back.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/Library.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Prompts.h"

namespace {
std::string ExeFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string p(buf, n > 0 ? size_t(n) : 0);
    return p.substr(0, p.rfind('/'));
}

struct Classes {
    std::vector<const ctl::ControlClass*> list;
    std::string folder;
    Classes() {
        ctl::EnsureApplication();
        ctl::SetPrompter(std::make_shared<ctl::ScriptedPrompter>());
        char tmpl[] = "/tmp/ctlfuzz-XXXXXX";
        folder = mkdtemp(tmpl) ? tmpl : "/tmp";
        for (const char* lib : {"karvex", "quorlin"}) {
            std::string path = ExeFolder() + "/lib" + lib + ".so";
            void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!h) std::abort();
            auto get = reinterpret_cast<CtlGetClassObjectFn>(dlsym(h, "CtlGetClassObject"));
            list.push_back(
                get(std::string(lib) == "karvex" ? "Karvex.ucKarvex" : "Quorlin.ucvQuorlin"));
        }
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Classes classes;
    ctl::PropertyBag bag;
    try {
        bag = ctl::PropertyBag::fromJson(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const ctl::RaisedError&) {
        return 0;
    }
    for (const ctl::ControlClass* cls : classes.list) {
        for (bool userMode : {false, true}) {
            ctl::BasicSite site;
            site.userMode = userMode;
            site.folder = classes.folder;
            try {
                auto control = cls->create(site);
                control->Initialize();
                control->ReadProperties(bag);
                ctl::PropertyBag out;
                control->WriteProperties(out);
                out.toJson(cls->progId);
                control->Terminate();
            } catch (const ctl::RaisedError&) {
            }
        }
    }
    ctl::DoEvents();
    return 0;
}
