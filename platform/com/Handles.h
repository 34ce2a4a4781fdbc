#pragma once
#include <cstdint>

namespace ctl {
// Fresh non-zero handle numbers for windows, device contexts and pictures.
int32_t NewHandle();
}  // namespace ctl
