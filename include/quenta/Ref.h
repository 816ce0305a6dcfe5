// An owning pointer for the engine's reference-counted interfaces: it holds
// one reference (the one a creating call handed out; it adds none when
// made from a raw pointer) and gives it back through Release when it goes,
// as every interface ends, never through delete. Moving it moves the
// reference; it cannot be copied. The rules of ownership are stated in
// quenta/MessageRenderer.h.
#pragma once

#include <memory>

namespace quenta {

struct Releaser {
    template <typename T>
    void operator()(T* p) const {
        if (p) p->Release();
    }
};

template <typename T>
using Ref = std::unique_ptr<T, Releaser>;

}  // namespace quenta
