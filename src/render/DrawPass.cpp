#include "render/DrawPass.h"

#include <algorithm>

#include "layout/RunPlacement.h"
#include "quenta/FaceNames.h"
#include "render/Blending.h"

namespace quenta::core {

namespace {

// A run placed beyond +-2^30 is far off any surface; clamping it there leaves
// room for the few pixels of layer offsets without wrapping.
constexpr int64_t kFarAway = int64_t{1} << 30;
int32_t ClampPosition(int64_t v) { return static_cast<int32_t>(std::clamp(v, -kFarAway, kFarAway)); }

void DrawTextRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY, const DrawTools& tools) {
    TextPainter* scrivo = tools.painter;
    const StyleState& s = run.style;
    const char* text = run.text.data ? run.text.data : "";
    scrivo->SetSize(s.size);
    if (s.font == 0) {
        scrivo->SetFace(kGothicFace);
    } else if (s.font == 1) {
        scrivo->SetFace(kMinchoFace);
    }
    if (s.shadow) {
        scrivo->SetColor(s.shadowColor.r, s.shadowColor.g, s.shadowColor.b);
        scrivo->PaintText(target, runX + 3, runY + 3, text);
        if (s.bold) scrivo->PaintText(target, runX + 4, runY + 3, text);
    }
    if (s.edge) {
        scrivo->SetColor(s.edgeColor.r, s.edgeColor.g, s.edgeColor.b);
        scrivo->PaintText(target, runX, runY + 1, text);
        scrivo->PaintText(target, runX + 2, runY + 1, text);
        scrivo->PaintText(target, runX + 1, runY, text);
        scrivo->PaintText(target, runX + 1, runY + 2, text);
        if (s.bold) scrivo->PaintText(target, runX + 3, runY + 1, text);
    }
    if (s.color == s.gradientColor) {
        scrivo->SetColor(s.color.r, s.color.g, s.color.b);
        scrivo->PaintText(target, runX + 1, runY + 1, text);
        if (s.bold) scrivo->PaintText(target, runX + 2, runY + 1, text);
        return;
    }
    // A gradient needs the coverage buffer's storage and the blend table; a
    // renderer whose start-up could not provide them skips the face.
    if (!tools.coverage || !tools.coverage->HasAlpha() || !tools.blendTable) return;
    scrivo->PaintCoverage(tools.coverage, 0, 0, text);
    // Held at the int32 limit like the run's own width.
    const auto w = static_cast<int32_t>(std::min<int64_t>(int64_t{run.text.Length()} * s.size / 2, INT32_MAX));
    const int32_t h = s.size;
    GradientBlendClipped(tools.blendTable, target, runX + 1, runY + 1, tools.coverage, 0, 0, w, h, s.color.r,
                         s.color.g, s.color.b, s.gradientColor.r, s.gradientColor.g, s.gradientColor.b);
    if (s.bold) {
        GradientBlendClipped(tools.blendTable, target, runX + 2, runY + 1, tools.coverage, 0, 0, w, h,
                             s.color.r, s.color.g, s.color.b, s.gradientColor.r, s.gradientColor.g,
                             s.gradientColor.b);
    }
}

void DrawPictureRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY, const DrawTools& tools) {
    Surface* picture = tools.pictures ? tools.pictures->GetPicture(run.pictureNumber) : nullptr;
    if (!picture) return;  // the run keeps its place
    const bool pixels = picture->HasPixels();
    const bool alpha = picture->HasAlpha();
    const int32_t w = picture->GetWidth();
    const int32_t h = picture->GetHeight();
    if (pixels && !alpha) {
        CopyClipped(tools.plotra, target, runX, runY, picture, 0, 0, w, h);
    } else if (pixels && alpha) {
        BlendClipped(tools.plotra, target, runX, runY, picture, 0, 0, w, h);
    } else if (alpha) {
        BlendColorClipped(tools.plotra, target, runX, runY, picture, 0, 0, w, h, run.style.color.r,
                          run.style.color.g, run.style.color.b);
    }
}

}  // namespace

void DrawLines(const LineList& lines, Surface* target, int32_t x, int32_t y, const DrawTools& tools) {
    if (!tools.painter || !target) return;
    PlaceRuns(lines, [&](const TextRun& run, int32_t, int64_t runX, int64_t runY) {
        const int32_t atX = ClampPosition(int64_t{x} + runX);
        const int32_t atY = ClampPosition(int64_t{y} + runY);
        if (run.IsPicture()) {
            DrawPictureRun(target, run, atX, atY, tools);
        } else {
            DrawTextRun(target, run, atX, atY, tools);
        }
    });
}

}  // namespace quenta::core
