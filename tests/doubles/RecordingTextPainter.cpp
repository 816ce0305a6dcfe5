#include "RecordingTextPainter.h"

#include <cstring>

#include "Recorder.h"

namespace quenta::testing {

int32_t RecordingTextPainter::PaintText(Surface*, int32_t x, int32_t y, const char* text) {
    Record("Scrivo2.PaintText(%d,%d,%s)", x, y, Printable(text).c_str());
    return 0;
}

int32_t RecordingTextPainter::PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) {
    Record("Scrivo2.PaintCoverage(%d,%d,%s)", x, y, Printable(text).c_str());
    const auto coverage = static_cast<uint8_t>(GetSetting("scrivo.coverage", 255));
    const int32_t cellWidth = static_cast<int32_t>(std::strlen(text)) * size_ / 2;
    for (int32_t row = y; row < y + size_ && row < buffer->GetHeight(); ++row) {
        for (int32_t col = x; col < x + cellWidth && col < buffer->GetWidth(); ++col) {
            if (row >= 0 && col >= 0) *buffer->GetAlphaAddress(col, row) = coverage;
        }
    }
    return 0;
}

int32_t RecordingTextPainter::SetSize(int32_t newSize) {
    Record("Scrivo2.SetSize(%d)", newSize);
    size_ = newSize;
    return 0;
}

int32_t RecordingTextPainter::SetFace(const char* faceName) {
    Record("Scrivo2.SetFace(%s)", Printable(faceName).c_str());
    return 0;
}

bool RecordingTextPainter::SetFontFile(const char* faceName, const char* path) {
    Record("Scrivo2.SetFontFile(%s,%s)", Printable(faceName).c_str(), Printable(path).c_str());
    return GetSetting("scrivo.fontfile", 0) != 0;
}

int32_t RecordingTextPainter::SetColor(int32_t r, int32_t g, int32_t b) {
    Record("Scrivo2.SetColor(%d,%d,%d)", r, g, b);
    return 0;
}

}  // namespace quenta::testing
