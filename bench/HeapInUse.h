// Bytes the C heap has handed out and not had back, chunk overhead included:
// what a parsed text holds is the difference across parsing it.
#pragma once

#include <cstdint>

namespace quenta::bench {

int64_t HeapInUse();

}  // namespace quenta::bench
