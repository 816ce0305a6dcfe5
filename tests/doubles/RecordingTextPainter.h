// A text painter that records every call. PaintCoverage fills its cell with
// the coverage set under "scrivo.coverage" (255 unless set), so gradient
// blending can be checked on real pixels; SetFontFile answers true once
// "scrivo.fontfile" is 1.
#pragma once

#include "RecordedCount.h"
#include "quenta/TextPainter.h"

namespace quenta::testing {

class RecordingTextPainter final : public RecordedCount<RecordingTextPainter, TextPainter> {
public:
    static constexpr char kRecordName[] = "Scrivo2";

    int32_t PaintText(Surface* target, int32_t x, int32_t y, const char* text) override;
    int32_t PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) override;
    int32_t SetSize(int32_t size) override;
    int32_t SetFace(const char* faceName) override;
    bool SetFontFile(const char* faceName, const char* path) override;
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t SetColor(int32_t r, int32_t g, int32_t b) override;

private:
    friend RefCounted;
    ~RecordingTextPainter() = default;

    int32_t size_ = 24;
};

}  // namespace quenta::testing
