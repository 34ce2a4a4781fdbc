#pragma once
#include <cstdint>
#include <memory>

#include "platform/com/Variant.h"

// One point of a series: X and Y exactly as the host gave them, and the point's 1-based
// position at the time it was added. Hosts reach X, Y and Index by name.
class tyPoint : public ctl::Object {
  public:
    ctl::Variant X;
    ctl::Variant Y;
    int32_t Index = 0;

    const ctl::ClassInfo* typeInfo() const override;
    std::string typeName() const override { return "tyPoint"; }
};
using tyPointPtr = std::shared_ptr<tyPoint>;
