// ctlhost: loads a control library, creates one control on a form and drives it from JSON
// command lines (standard input, or the script files named on the command line).
// `ctlhost --typelib CLASS` prints the class's type table as one JSON object and
// `ctlhost --reference CLASS` its reference page, without creating a control.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "apps/ctlhost/ClassLookUp.h"
#include "apps/ctlhost/ReferencePage.h"
#include "apps/ctlhost/ScriptHost.h"
#include "apps/ctlhost/TypeLib.h"
#include "platform/com/Json.h"
#include "platform/com/Library.h"
#include "platform/com/RaisedError.h"
#include "platform/sys/EventLoop.h"

namespace {
ctl::Json ErrorJson(int number, const std::string& description) {
    return ctl::Json::object(
        {{"error", ctl::Json::object({{"number", ctl::Json::number(number)},
                                      {"description", ctl::Json::string(description)}})}});
}

// The type-table options; false when the arguments are a script run instead.
bool DescribeClass(int argc, char** argv, int& status) {
    if (argc < 2) return false;
    const std::string option = argv[1];
    if (option != "--typelib" && option != "--reference") return false;
    if (argc != 3) {
        std::cout << ErrorJson(5, "Usage: ctlhost " + option + " [LIBRARY.]CLASS").dump()
                  << std::endl;
        status = 2;
        return true;
    }
    try {
        const ctl::ControlClass& cls = ctlhost::LookUpClass(argv[2]);
        if (option == "--typelib")
            std::cout << ctlhost::TypeLibJson(cls).dump() << std::endl;
        else
            std::cout << ctlhost::ReferencePage(cls);
        status = 0;
    } catch (const ctl::RaisedError& e) {
        std::cout << ErrorJson(e.number(), e.description()).dump() << std::endl;
        status = 1;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (int status = 0; DescribeClass(argc, argv, status)) return status;
    ctl::EnsureApplication();
    ctlhost::ScriptHost host([](const std::string& line) { std::cout << line << std::endl; });
    auto runStream = [&](std::istream& in) {
        std::string line;
        while (std::getline(in, line)) host.run(line);
    };
    int status = 0;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            std::error_code ec;
            std::ifstream f;
            if (std::filesystem::is_regular_file(argv[i], ec)) f.open(argv[i]);
            if (!f.is_open()) {
                // The script could not run at all: said on a line, and in the exit status.
                std::cout << ErrorJson(53, std::string("File not found: ") + argv[i]).dump()
                          << std::endl;
                status = 1;
                continue;
            }
            runStream(f);
            host.finish();
        }
    } else {
        runStream(std::cin);
    }
    host.finish();
    return status;
}
