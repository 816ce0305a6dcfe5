// The module's process-wide state, defined in one file so that it is built
// in a fixed order at load (picture cache, then blend table) and torn down in
// the reverse order at unload: the table's storage is freed first, then the
// cache releases its pictures and siblings.
#include "core/ProcessState.h"

namespace quenta::core {

PictureCache pictureCache;
BlendTable blendTable;
Plotra* sharedPlotra = nullptr;

}  // namespace quenta::core
