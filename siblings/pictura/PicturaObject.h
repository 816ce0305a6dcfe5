// The Pictura that CreateInterface hands out. It keeps no state: every
// decode stands alone.
#pragma once

#include <atomic>

#include "quenta/Pictura.h"

namespace quenta::pictura {

class PicturaObject final : public Pictura {
public:
    PicturaObject() = default;
    PicturaObject(const PicturaObject&) = delete;
    PicturaObject& operator=(const PicturaObject&) = delete;

    int32_t AddRef() override;
    int32_t Release() override;
    Surface* DecodeEntry(std::uintptr_t shared) override;
    Surface* DecodeBytes(const uint8_t* bytes, int32_t size) override;

private:
    ~PicturaObject() = default;

    std::atomic<int32_t> refs_{1};
};

}  // namespace quenta::pictura
