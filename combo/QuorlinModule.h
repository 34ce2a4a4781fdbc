#pragma once
#include <string>

// State the combo library shares among all its controls on the UI thread.
namespace quorlin {

// Set while a control initialises or lays itself out, and while the drop-down list moves its
// selection by key; Resize and the list mouse handlers stay quiet while it is set.
bool Initialising();
void setInitialising(bool on);

// The library's own title, shown on its message boxes and about box.
const std::string& LibraryTitle();

// Gives the about box the library's texts and the points where its copy differs.
void HandAboutTexts();

// Live controls, so the host knows when the library may be unloaded.
int LiveInstances();
void InstanceCreated();
void InstanceEnded();

}  // namespace quorlin
