// The one reference count behind every object the modules hand out. A plain
// int32: the modules are called from one thread (the rule is stated in
// quenta/MessageRenderer.h, with the other rules of ownership).
//
//   class Painter final : public RefCounted<Painter, TextPainter> { ... };
//
// The object starts with one reference, for whoever created it. AddRef
// answers the new count; Release answers the count left and destroys the
// object when that reaches 0. The derived class ends only through Release:
// it keeps its destructor private and names the base a friend
// (`friend RefCounted;`), so that Release can reach it.
#pragma once

#include <cstdint>

namespace quenta {

template <typename Derived, typename Interface>
class RefCounted : public Interface {
public:
    int32_t AddRef() override { return ++refCount_; }

    int32_t Release() override {
        const int32_t left = --refCount_;
        // Through the derived type: the interfaces have no virtual destructor.
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    ~RefCounted() = default;

private:
    int32_t refCount_ = 1;
};

}  // namespace quenta
