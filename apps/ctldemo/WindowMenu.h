#pragma once
// The entries a control added to its form's system menu (the chart mirrors its commands
// there), shown as actions of a menu of the application: the demo's Window menu.
#include <QString>
#include <cstdint>
#include <functional>

class QMenu;
class QObject;

namespace ctl {
class ControlWidget;
}

namespace demo {

// Appends the entries as they stand now: the same captions, enabling, check marks and
// separators. Each action's data is the entry's identifier. Choosing one calls `run` with it
// once the menu has closed (a command may open dialogs or play for a while, and the menu is
// filled afresh meanwhile); `context` ends the connection.
void AddSystemMenuEntries(QMenu& menu, const ctl::ControlWidget& control, QObject* context,
                          std::function<void(int32_t id)> run);

// Brings the actions AddSystemMenuEntries made up to date in place (captions, enabling, check
// marks), for a menu that stays open while the control changes them (a playback ends).
void UpdateSystemMenuEntries(QMenu& menu, const ctl::ControlWidget& control);

}  // namespace demo
