// ctlhost: loads a control library, creates one control on a form and drives it from JSON
// command lines (standard input, or the script files named on the command line).
#include <fstream>
#include <iostream>
#include <string>

#include "host/ScriptHost.h"
#include "platform/com/Json.h"
#include "platform/sys/EventLoop.h"

int main(int argc, char** argv) {
    ctl::EnsureApplication();
    ctlhost::ScriptHost host([](const std::string& line) { std::cout << line << std::endl; });
    auto runStream = [&](std::istream& in) {
        std::string line;
        while (std::getline(in, line)) host.run(line);
    };
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            std::ifstream f(argv[i]);
            if (!f) {
                ctl::Json err = ctl::Json::object(
                    {{"number", ctl::Json::number(53)},
                     {"description",
                      ctl::Json::string(std::string("File not found: ") + argv[i])}});
                std::cout << ctl::Json::object({{"error", err}}).dump() << std::endl;
                continue;
            }
            runStream(f);
            host.finish();
        }
    } else {
        runStream(std::cin);
    }
    host.finish();
    return 0;
}
