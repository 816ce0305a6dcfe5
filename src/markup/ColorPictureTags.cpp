// The tags that take colours or place a picture. Each reads and checks all
// of its arguments before it changes anything, so a malformed tag leaves no
// half-applied effect.
#include "core/MessageRenderer.h"
#include "core/PictureCache.h"

namespace quenta {

bool MessageRenderer::ReadColor(RgbColor& color) {
    return scanner.ReadNumber(color.r) && scanner.Expect(",") && scanner.ReadNumber(color.g) &&
           scanner.Expect(",") && scanner.ReadNumber(color.b);
}

bool MessageRenderer::ParseColorTag() {
    RgbColor top{};
    if (!ReadColor(top)) return AppendErrorText();
    RgbColor bottom = top;
    if (scanner.Expect(",") && !ReadColor(bottom)) return AppendErrorText();
    if (!scanner.Expect(">")) return AppendErrorText();
    colorStack.push_back({style.color, style.gradientColor});
    style.color = top;
    style.gradientColor = bottom;
    return true;
}

bool MessageRenderer::ParseEdgeColorTag() {
    RgbColor color{};
    if (!ReadColor(color) || !scanner.Expect(">")) return AppendErrorText();
    edgeColorStack.push_back({style.edgeColor, {}});
    style.edgeColor = color;
    return true;
}

bool MessageRenderer::ParseShadowColorTag() {
    RgbColor color{};
    if (!ReadColor(color) || !scanner.Expect(">")) return AppendErrorText();
    shadowColorStack.push_back({style.shadowColor, {}});
    style.shadowColor = color;
    return true;
}

bool MessageRenderer::ParsePictureTag() {
    int32_t number = 0;
    if (!scanner.ReadNumber(number) || !scanner.Expect(">")) return AppendErrorText();
    Surface* picture = pictureCache.GetPicture(number);
    if (!picture) return AppendErrorText();
    TextRun run;
    run.width = picture->GetWidth();
    run.height = picture->GetHeight();
    run.pictureNumber = number;
    run.style = style;
    LineList::AppendRun(lines.LineAt(lines.currentLine), std::move(run));
    return true;
}

}  // namespace quenta
