#include "platform/com/Handles.h"

namespace ctl {
int32_t NewHandle() {
    static int32_t next = 0x10000;
    return next += 4;
}
}  // namespace ctl
