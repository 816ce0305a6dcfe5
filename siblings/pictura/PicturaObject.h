// The Pictura that CreateInterface hands out. It keeps no state: every
// decode stands alone.
#pragma once

#include "quenta/Pictura.h"
#include "quenta/RefCounted.h"

namespace quenta::pictura {

class PicturaObject final : public RefCounted<PicturaObject, Pictura> {
public:
    PicturaObject() = default;

    Surface* DecodeEntry(std::uintptr_t shared) override;
    Surface* DecodeBytes(const uint8_t* bytes, int32_t size) override;

private:
    friend RefCounted;
    ~PicturaObject() = default;
};

}  // namespace quenta::pictura
