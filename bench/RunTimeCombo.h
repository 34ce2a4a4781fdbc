#pragma once
// A combo as a host starts one at run time from stored properties, in a given style, with its
// timer stopped (the benchmarks measure the calls, not the focus polling).
#include <cstdint>
#include <memory>

#include "combo/ucvQuorlin.h"
#include "platform/com/PropertyBag.h"

namespace bench {

inline std::unique_ptr<quorlin::ucvQuorlin> RunTimeCombo(ctl::BasicSite& site, int style) {
    ctl::PropertyBag bag;
    if (style != 0) bag.WriteProperty("Style", int32_t(style), int32_t(0));
    site.userMode = true;
    auto c = std::make_unique<quorlin::ucvQuorlin>(site);
    c->Initialize();
    c->ReadProperties(bag);
    c->TimerProc.setEnabled(false);
    return c;
}

}  // namespace bench
