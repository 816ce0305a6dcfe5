#include "HeapInUse.h"

#include <malloc.h>

namespace quenta::bench {

// The bench runs on one thread, so the main arena holds everything it and the
// modules allocate.
int64_t HeapInUse() { return static_cast<int64_t>(mallinfo2().uordblks); }

}  // namespace quenta::bench
