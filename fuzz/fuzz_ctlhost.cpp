// Fuzz target: ctlhost command lines, one per input line, run by a fresh script host.
// Lines that write files or wait on the clock are skipped: they would touch the machine
// outside the run or only slow it down.
#include <cstdint>
#include <string>

#include "apps/ctlhost/ScriptHost.h"
#include "platform/sys/EventLoop.h"
#include "platform/sys/Text.h"

namespace {
bool Skipped(const std::string& line) {
    std::string l = ctl::ToLower(line);
    for (const char* word : {"save", "snapshot", "wait", "/dev/", "/proc/"})
        if (l.find(word) != std::string::npos) return true;
    return false;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool started = [] {
        ctl::EnsureApplication();
        return true;
    }();
    (void)started;
    std::string input(reinterpret_cast<const char*>(data), size);
    ctlhost::ScriptHost host([](const std::string&) {});
    size_t start = 0;
    while (start <= input.size()) {
        size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        std::string line = input.substr(start, end - start);
        if (!Skipped(line)) host.run(line);
        start = end + 1;
    }
    host.finish();
    ctl::DoEvents();
    return 0;
}
