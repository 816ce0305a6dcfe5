// The renderer that Quenta's CreateInterface hands out for kMessageRendererId.
#pragma once

#include <cstdint>

#include "quenta/InterfaceId.h"
#include "quenta/Surface.h"

namespace quenta {

class IMessageRenderer {
public:
    virtual int32_t AddRef() = 0;                                   // 0
    virtual int32_t Release() = 0;                                  // 1: 0 once destroyed
    virtual void SetText(const char* text) = 0;                     // 2: Shift-JIS with tags
    virtual void Clear() = 0;                                       // 3
    virtual void Draw(Surface* target, int32_t x, int32_t y) = 0;   // 4
    virtual void* GetSubInterface(const InterfaceId* iid) = 0;      // 5: lent, no reference

protected:
    ~IMessageRenderer() = default;
};

}  // namespace quenta
