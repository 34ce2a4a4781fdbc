#pragma once
#include <memory>
#include <string>

#include "common/clsControls.h"

namespace karvex {

// State shared by every chart control of the library (all run on the one UI thread).
struct LibraryState {
    // How dates are written in the user's short-date form: "dd/mm/yy", "mm/dd/yy" or "yy/mm/dd".
    std::string ShortDatePattern = "dd/mm/yy";
    std::string DecimalSeparator = ".";  // "." or ","
    // Set while a control resizes itself or the settings dialog fills its fields; stops resize
    // handling meanwhile.
    bool Busy = false;
    std::string LibraryTitle;   // shown by the about box
    std::string CopyrightYear;  // shown by the about box
    bool LastDrawingSucceeded = false;
    int LiveInstances = 0;  // chart controls alive, for the library's unload check
    // The forms whose system menus carry chart entries; made when a control first needs it,
    // dropped when its last entry goes.
    std::unique_ptr<clsControls> Registry;
};

LibraryState& Library();

// The library's version, shown by the about box.
constexpr int kVersionMajor = CTL_VERSION_MAJOR, kVersionMinor = CTL_VERSION_MINOR,
              kVersionRevision = CTL_VERSION_PATCH;

// Reads the user's regional settings into the shared state and records the about-box texts.
void RefreshLibraryState();

// The order of day, month and year in the user's short-date form, found by writing
// 31 March 1999 in it.
std::string DetectShortDatePattern();
// "." when the user's numbers use a point, else ",".
std::string DetectDecimalSeparator();

}  // namespace karvex
