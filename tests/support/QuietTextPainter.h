// A text painter that does nothing: tests derive from it and override only
// the slots they watch. It counts nothing; the test owns it.
#pragma once

#include "quenta/TextPainter.h"

namespace quenta::testing {

class QuietTextPainter : public TextPainter {
public:
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    int32_t PaintText(Surface*, int32_t, int32_t, const char*) override { return 1; }
    int32_t PaintCoverage(Surface*, int32_t, int32_t, const char*) override { return 1; }
    int32_t SetSize(int32_t) override { return 1; }
    int32_t SetFace(const char*) override { return 1; }
    bool SetFontFile(const char*, const char*) override { return false; }
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t SetColor(int32_t, int32_t, int32_t) override { return 1; }

protected:
    ~QuietTextPainter() = default;
};

}  // namespace quenta::testing
