#pragma once
#include <cstdint>
#include <string>

// System-menu entries of a form, addressed by identifier, and opening a document or address
// through the desktop. Every menu helper does nothing for window 0.
namespace bas_MenuAbout {

// Appends an entry (and, with the flag, a separator directly above it).
void AddSysMenuItem(int32_t window, int32_t id, const std::string& caption, bool withSeparator);
void SetSysMenuItemText(int32_t window, int32_t id, const std::string& caption);
// Enabling clears the grayed and disabled bits only when both are set; disabling sets both.
void EnableSysMenuItem(int32_t window, int32_t id, bool enabled);
bool IsSysMenuItemChecked(int32_t window, int32_t id);
void CheckSysMenuItem(int32_t window, int32_t id, bool checked);

// Opens the target with its default application; the empty text on success, else why not.
std::string OpenWithShell(const std::string& target);

}  // namespace bas_MenuAbout
