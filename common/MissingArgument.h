#pragma once

// The text that stands for an optional title argument the caller did not give.
inline constexpr const char* kMissingArgument = "#A#O";
