// The counting slots of a double: the engine's one reference count, each
// call recorded as "<name>.AddRef" and "<name>.Release", where the name is
// the double's kRecordName.
#pragma once

#include "Recorder.h"
#include "quenta/RefCounted.h"

namespace quenta::testing {

template <typename Derived, typename Interface>
class RecordedCount : public RefCounted<Derived, Interface> {
    using Count = RefCounted<Derived, Interface>;

public:
    int32_t AddRef() override {
        Record("%s.AddRef", Derived::kRecordName);
        return Count::AddRef();
    }
    int32_t Release() override {
        Record("%s.Release", Derived::kRecordName);
        return Count::Release();
    }

    // One more reference for a caller of CreateInterface: the module's call,
    // not the caller's, so it is not recorded.
    Derived* Hand() {
        Count::AddRef();
        return static_cast<Derived*>(this);
    }
};

}  // namespace quenta::testing
