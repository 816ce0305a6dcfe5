// A Plotra that records every call. Startup answers the setting
// "plotra.startup" (1 unless set). Like the real one it is one object for the
// process (or a test's own), whose owner keeps a reference for good.
#pragma once

#include "RecordedCount.h"
#include "quenta/Plotra.h"

namespace quenta::testing {

class RecordingPlotra final : public RecordedCount<RecordingPlotra, Plotra> {
public:
    static constexpr char kRecordName[] = "Plotra";

    RecordingPlotra() = default;
    ~RecordingPlotra() = default;

    bool Startup() override;
    int32_t Setup(int32_t mode) override;
    int32_t CopyRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                     int32_t sy, int32_t w, int32_t h) override;
    int32_t Reserved5() override { return 0; }
    int32_t Reserved6() override { return 0; }
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t BlendRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                      int32_t sy, int32_t w, int32_t h) override;
    int32_t Reserved11() override { return 0; }
    int32_t BlendColorRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                           int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g,
                           int32_t b) override;
};

}  // namespace quenta::testing
