#include "RecordingPlotra.h"

#include "Recorder.h"

namespace quenta::testing {

bool RecordingPlotra::Startup() {
    Record("Plotra.Startup");
    return GetSetting("plotra.startup", 1) != 0;
}

int32_t RecordingPlotra::Setup(int32_t mode) {
    Record("Plotra.Setup(%d)", mode);
    return 0;
}

int32_t RecordingPlotra::CopyRect(Surface*, int32_t dx, int32_t dy, Surface*, int32_t sx, int32_t sy,
                                  int32_t w, int32_t h) {
    Record("Plotra.CopyRect(%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h);
    return 0;
}

int32_t RecordingPlotra::BlendRect(Surface*, int32_t dx, int32_t dy, Surface*, int32_t sx, int32_t sy,
                                   int32_t w, int32_t h) {
    Record("Plotra.BlendRect(%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h);
    return 0;
}

int32_t RecordingPlotra::BlendColorRect(Surface*, int32_t dx, int32_t dy, Surface*, int32_t sx,
                                        int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g,
                                        int32_t b) {
    Record("Plotra.BlendColorRect(%d,%d,%d,%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h, r, g, b);
    return 0;
}

}  // namespace quenta::testing
