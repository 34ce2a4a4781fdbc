// ctlwidgetgen CLASS QT_CLASS OUT_DIR: writes OUT_DIR/QT_CLASS.h and OUT_DIR/QT_CLASS.cpp, the
// typed Qt widget of a control class, from the type table of the installed control library.
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/com/Library.h"
#include "platform/com/RaisedError.h"
#include "widgets/generator/Emit.h"

namespace {
// Writes only when the text changed, so that an unchanged table rebuilds nothing.
bool WriteIfChanged(const std::string& path, const std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::string old((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: ctlwidgetgen CLASS QT_CLASS OUT_DIR\n");
        return 2;
    }
    try {
        const ctl::ControlClass& cls = ctl::LookUpControlClass(argv[1]);
        const widgetgen::QtFace face = widgetgen::MakeQtFace(cls.typeInfo(), argv[2]);
        const std::string base = std::string(argv[3]) + "/" + argv[2];
        if (!WriteIfChanged(base + ".h", widgetgen::HeaderText(face)) ||
            !WriteIfChanged(base + ".cpp",
                            widgetgen::SourceText(face, std::string(argv[2]) + ".h"))) {
            std::fprintf(stderr, "ctlwidgetgen: cannot write %s.h/.cpp\n", base.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ctlwidgetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
