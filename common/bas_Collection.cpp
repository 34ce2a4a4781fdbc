#include "common/bas_Collection.h"

#include "platform/com/TypeInfo.h"

namespace bas_Collection {

bool KeyExists(ctl::Object& collection, const std::string& key) {
    try {
        ctl::Args args{ctl::Variant(key)};
        return ctl::Invoke(collection, "Item", ctl::MemberKind::Method, args).toObject() != nullptr;
    } catch (...) {
        return false;
    }
}

}  // namespace bas_Collection
