// The tags that take colours or place a picture. Each reads and checks all
// of its arguments before it changes anything, so a malformed tag leaves no
// half-applied effect.
#include "markup/MarkupParser.h"

namespace quenta::core {

bool MarkupParser::ReadColor(RgbColor& color) {
    return scanner_.ReadNumber(color.r) && scanner_.Expect(",") && scanner_.ReadNumber(color.g) &&
           scanner_.Expect(",") && scanner_.ReadNumber(color.b);
}

bool MarkupParser::ParseColorTag() {
    RgbColor top{};
    if (!ReadColor(top)) return AppendErrorText();
    RgbColor bottom = top;
    if (scanner_.Expect(",") && !ReadColor(bottom)) return AppendErrorText();
    if (!scanner_.Expect(">")) return AppendErrorText();
    stacks_.color.push_back({style_.color, style_.gradientColor});
    style_.color = top;
    style_.gradientColor = bottom;
    return true;
}

// The edge and shadow colours: one colour, saved in the first of the pair.
bool MarkupParser::ParseSingleColorTag(std::vector<ColorPair>& stack, RgbColor& field) {
    RgbColor color{};
    if (!ReadColor(color) || !scanner_.Expect(">")) return AppendErrorText();
    stack.push_back({field, {}});
    field = color;
    return true;
}

bool MarkupParser::ParsePictureTag() {
    int32_t number = 0;
    if (!scanner_.ReadNumber(number) || !scanner_.Expect(">")) return AppendErrorText();
    TextRun run;
    if (!pictures_ || !pictures_->PictureSize(number, run.width, run.height)) return AppendErrorText();
    run.pictureNumber = number;
    run.style = style_;
    AppendRun(std::move(run), tagBegin_, Offset());
    return true;
}

}  // namespace quenta::core
