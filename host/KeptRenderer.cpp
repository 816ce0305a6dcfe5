#include "KeptRenderer.h"

#include <new>

#include "SystemLoader.h"

namespace quenta::host {

KeptRenderer* KeptRenderer::Make(IMessageRenderer* inner, void* const (&holds)[kHolds]) {
    auto* kept = new (std::nothrow) KeptRenderer();
    if (!kept) return nullptr;
    kept->inner_ = inner;
    for (int32_t i = 0; i < kHolds; ++i) kept->holds_[i] = holds[i];
    return kept;
}

KeptRenderer::~KeptRenderer() {
    inner_->Release();
    for (int32_t i = kHolds - 1; i >= 0; --i) {
        if (holds_[i]) CloseModuleFile(holds_[i]);
    }
}

}  // namespace quenta::host
