#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace bas_DialogColor {

// Shows the colour dialog starting at `initial` (a negative system-colour reference is reduced
// to its low 24 bits) and returns the chosen 0x00BBGGRR colour, or -1 when the user cancels.
// A title of "#A#O" (not given) shows "Set Color". The user's custom colours are kept for the
// next call of this library.
int32_t ShowColorDialog(int32_t owner, int32_t initial, const std::string& title);

// The custom colours the next dialog starts with.
const std::array<uint32_t, 16>& CustomColors();

// True for colours on which white text reads better: black, greys up to 128 and every colour
// with a component from 1 to 128.
bool IsDarkColor(int32_t color);

}  // namespace bas_DialogColor
