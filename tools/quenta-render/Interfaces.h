// Owning pointers for interfaces that end through Release.
#pragma once

#include <memory>

namespace quenta::render {

struct Releaser {
    template <typename T>
    void operator()(T* p) const {
        if (p) p->Release();
    }
};

template <typename T>
using Ref = std::unique_ptr<T, Releaser>;

}  // namespace quenta::render
