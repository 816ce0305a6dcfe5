// An owning pointer for the engine's reference-counted interfaces: it gives
// its one reference back through Release when it goes, as every interface
// ends, never through delete.
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
