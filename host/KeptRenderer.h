// A renderer that holds the modules it runs on: the host kit hands these
// out, so that unloading a module under a live renderer only defers the
// unload until the renderer's last Release.
#pragma once

#include <cstdint>

#include "quenta/MessageRenderer.h"
#include "quenta/RefCounted.h"

namespace quenta::host {

class KeptRenderer final : public RefCounted<KeptRenderer, IMessageRenderer> {
public:
    static constexpr int32_t kHolds = 5;

    // Takes `inner`'s reference and the module handles in `holds`, indexed
    // by module in load order (null where none); null when out of memory,
    // having given back nothing.
    static KeptRenderer* Make(IMessageRenderer* inner, void* const (&holds)[kHolds]);

    void SetText(const char* text) override { inner_->SetText(text); }
    void Clear() override { inner_->Clear(); }
    void Draw(Surface* target, int32_t x, int32_t y) override { inner_->Draw(target, x, y); }
    void* GetSubInterface(const InterfaceId* iid) override { return inner_->GetSubInterface(iid); }

private:
    friend RefCounted;
    KeptRenderer() = default;
    // The renderer first, while its modules are there; then Quenta, then
    // the siblings in reverse load order.
    ~KeptRenderer();

    IMessageRenderer* inner_ = nullptr;
    void* holds_[kHolds] = {};
};

}  // namespace quenta::host
