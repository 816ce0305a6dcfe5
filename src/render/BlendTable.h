// The process-wide table of byte products: entry [i][j] is i * j / 255 with
// the fraction dropped, so blending needs no multiplication per pixel.
#pragma once

#include <cstdint>

namespace quenta::core {

class BlendTable {
public:
    BlendTable() = default;
    BlendTable(const BlendTable&) = delete;
    BlendTable& operator=(const BlendTable&) = delete;
    ~BlendTable() { Free(); }

    // (Re)builds the table; false when its storage cannot be had.
    bool Build();
    void Free();
    bool IsBuilt() const { return rows != nullptr; }

    uint8_t** rows = nullptr;  // 256 row pointers into one 65,536-byte block
};

}  // namespace quenta::core
