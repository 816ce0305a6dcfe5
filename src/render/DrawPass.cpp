// Draw: stacks the lines from y down, runs from x across, every run on the
// bottom edge of its line, and paints each run's layers before the next run.
#include <algorithm>

#include "core/BlendTable.h"
#include "core/MessageRenderer.h"
#include "core/PictureCache.h"
#include "render/Blending.h"

namespace quenta {

namespace {

// "ＭＳ ゴシック" and "ＭＳ 明朝" in Shift-JIS.
constexpr char kGothicFace[] = "\x82l\x82r \x83S\x83V\x83\x62\x83N";
constexpr char kMinchoFace[] = "\x82l\x82r \x96\xBE\x92\xA9";
static_assert(sizeof kGothicFace - 1 == 13 && sizeof kMinchoFace - 1 == 9);

// Positions are summed in 64 bits, since spacings and centring widths may be
// any int32. A run placed beyond +-2^30 is far off any surface; clamping it
// there leaves room for the few pixels of layer offsets without wrapping.
constexpr int64_t kFarAway = int64_t{1} << 30;
int32_t ClampPosition(int64_t v) { return static_cast<int32_t>(std::clamp(v, -kFarAway, kFarAway)); }

}  // namespace

void MessageRenderer::Draw(Surface* target, int32_t x, int32_t y) {
    if (!scrivo || !target) return;
    // Another renderer's end clears sharedPlotra; this one still has Plotra.
    plotraBinding.Republish();

    int64_t lineTop = 0;
    for (const TextLine& line : lines.lines) {
        int32_t lineHeight = 0;
        int32_t lineGap = 0;
        for (const TextRun& run : line.runs) {
            lineHeight = std::max(lineHeight, run.height);
            lineGap = std::max(lineGap, run.style.lineSpacing);
        }
        int64_t lineWidth = 0;
        for (size_t i = 0; i < line.runs.size(); ++i) {
            lineWidth += line.runs[i].width;
            if (i + 1 < line.runs.size()) lineWidth += line.runs[i].style.charSpacing;
        }
        int64_t penX = 0;
        for (const TextRun& run : line.runs) {
            int64_t runX = int64_t{x} + penX;
            // Truncating toward zero, as C++ division does.
            if (run.style.centerWidth >= 0) runX += (run.style.centerWidth - lineWidth) / 2;
            const int64_t runY = int64_t{y} + lineTop + lineHeight - run.height;
            if (run.pictureNumber == -1) {
                DrawTextRun(target, run, ClampPosition(runX), ClampPosition(runY));
            } else {
                DrawPictureRun(target, run, ClampPosition(runX), ClampPosition(runY));
            }
            penX += int64_t{run.width} + run.style.charSpacing;
        }
        lineTop += int64_t{lineHeight} + lineGap;
    }
}

void MessageRenderer::DrawTextRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY) {
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
    // A gradient needs the glyph buffer's storage and the blend table; a
    // renderer whose start-up could not provide them skips the face.
    if (!glyphBuffer.HasAlpha() || !blendTable.IsBuilt()) return;
    scrivo->PaintCoverage(&glyphBuffer, 0, 0, text);
    const int32_t w = static_cast<int32_t>(static_cast<int64_t>(run.text.Length()) * s.size / 2);
    const int32_t h = s.size;
    GradientBlendClipped(target, runX + 1, runY + 1, &glyphBuffer, 0, 0, w, h, s.color.r, s.color.g,
                         s.color.b, s.gradientColor.r, s.gradientColor.g, s.gradientColor.b);
    if (s.bold) {
        GradientBlendClipped(target, runX + 2, runY + 1, &glyphBuffer, 0, 0, w, h, s.color.r,
                             s.color.g, s.color.b, s.gradientColor.r, s.gradientColor.g,
                             s.gradientColor.b);
    }
}

void MessageRenderer::DrawPictureRun(Surface* target, const TextRun& run, int32_t runX, int32_t runY) {
    Surface* picture = pictureCache.GetPicture(run.pictureNumber);
    if (!picture) return;  // the run keeps its place
    const bool pixels = picture->HasPixels();
    const bool alpha = picture->HasAlpha();
    const int32_t w = picture->GetWidth();
    const int32_t h = picture->GetHeight();
    if (pixels && !alpha) {
        CopyClipped(target, runX, runY, picture, 0, 0, w, h);
    } else if (pixels && alpha) {
        BlendClipped(target, runX, runY, picture, 0, 0, w, h);
    } else if (alpha) {
        BlendColorClipped(target, runX, runY, picture, 0, 0, w, h, run.style.color.r,
                          run.style.color.g, run.style.color.b);
    }
}

}  // namespace quenta
