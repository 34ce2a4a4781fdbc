#include "platform/com/Library.h"

#include "platform/sys/Text.h"

namespace ctl {

const ControlClass* FindControlClass(std::initializer_list<const ControlClass*> classes,
                                     const char* progId) {
    if (!progId) return nullptr;
    for (const ControlClass* c : classes)
        if (c && EqualsNoCase(c->progId, progId)) return c;
    return nullptr;
}

}  // namespace ctl
