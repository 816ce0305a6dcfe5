#include "render/BlendTable.h"

#include <new>

namespace quenta::core {

void BlendTable::Free() {
    if (!rows) return;
    delete[] rows[0];
    delete[] rows;
    rows = nullptr;
}

bool BlendTable::Build() {
    Free();
    rows = new (std::nothrow) uint8_t*[256];
    if (!rows) return false;
    rows[0] = new (std::nothrow) uint8_t[65536];
    if (!rows[0]) {
        delete[] rows;
        rows = nullptr;
        return false;
    }
    for (int i = 1; i < 256; ++i) rows[i] = rows[0] + 256 * i;
    for (int i = 0; i < 256; ++i) {
        for (int j = 0; j < 256; ++j) rows[i][j] = static_cast<uint8_t>((2 * i * j + 1) / 510);
    }
    return true;
}

}  // namespace quenta::core
