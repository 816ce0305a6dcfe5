// SetText: walks the marked-up text, turning every plain character into a run
// and every tag into a change of style, a line break, a reset or a picture.
#include <algorithm>
#include <new>

#include "core/MessageRenderer.h"

namespace quenta {

namespace {

// Restores a saved value when its stack holds one; an empty stack is a no-op.
template <typename T>
void PopInto(std::vector<T>& stack, T& field) {
    if (stack.empty()) return;
    field = stack.back();
    stack.pop_back();
}

template <typename T>
void PushAndSet(std::vector<T>& stack, T& field, T value) {
    stack.push_back(field);
    field = value;
}

}  // namespace

void MessageRenderer::SetText(const char* text) {
    if (!EnsureReady()) return;
    try {
        ParseText(text);
    } catch (const std::bad_alloc&) {
        // Out of memory: what was appended so far stays; nothing reaches the host.
    }
}

void MessageRenderer::ParseText(const char* text) {
    scanner.SetInput(text);
    while (scanner.NextChar(piece_)) {
        if (!piece_.Equals("<")) {
            AppendTextRun(piece_);
        } else if (scanner.Expect("<")) {
            AppendTextRun("<", 1);  // "<<" is a literal "<"
        } else if (!scanner.ReadTagName(tagName_)) {
            // No tag name: the "<" and an empty run; what follows is text.
            AppendTextRun("<", 1);
            AppendTextRun(tagName_);
        } else if (!ApplyTag(tagName_)) {
            // Not a tag we know: echoed, and its arguments are read as text.
            AppendTextRun("<", 1);
            AppendTextRun(tagName_);
        }
    }
}

// Runs the tag's steps; false when the name is no known tag. A malformed tag
// counts as known: it has appended the error text.
bool MessageRenderer::ApplyTag(const TextString& name) {
    int32_t n = 0;
    // Reads "n>" for the tags that take one number.
    auto number = [&] { return (scanner.ReadNumber(n) && scanner.Expect(">")) || AppendErrorText(); };
    // Reads the ">" that ends a tag without arguments.
    auto close = [&] { return scanner.Expect(">") || AppendErrorText(); };

    if (name.Equals("B")) {
        if (close()) style.bold = 1;
    } else if (name.Equals("C")) {
        ParseColorTag();
    } else if (name.Equals("CE")) {
        if (number()) PushAndSet(centerStack, style.centerWidth, n);
    } else if (name.Equals("CR")) {
        if (close()) ResetStyle();
    } else if (name.Equals("E")) {
        if (close()) style.edge = 1;
    } else if (name.Equals("EC")) {
        ParseEdgeColorTag();
    } else if (name.Equals("F")) {
        if (number()) PushAndSet(fontStack, style.font, n);
    } else if (name.Equals("G")) {
        ParsePictureTag();
    } else if (name.Equals("K")) {
        if (close()) style.shadow = 1;
    } else if (name.Equals("KC")) {
        ParseShadowColorTag();
    } else if (name.Equals("R")) {
        if (close()) BreakLine();
    } else if (name.Equals("S")) {
        // Sizes of 256 and more are ignored without a word.
        if (number() && n < 256) PushAndSet(sizeStack, style.size, n);
    } else if (name.Equals("SPW")) {
        if (number()) PushAndSet(charSpacingStack, style.charSpacing, n);
    } else if (name.Equals("SPH")) {
        if (number()) PushAndSet(lineSpacingStack, style.lineSpacing, n);
    } else if (name.Equals("W")) {
        if (number()) PushAndSet(wStack, style.wValue, n);
    } else if (name.Equals("/B")) {
        if (close()) style.bold = 0;
    } else if (name.Equals("/C")) {
        if (close() && !colorStack.empty()) {
            style.color = colorStack.back().first;
            style.gradientColor = colorStack.back().second;
            colorStack.pop_back();
        }
    } else if (name.Equals("/CE")) {
        if (close()) PopInto(centerStack, style.centerWidth);
    } else if (name.Equals("/E")) {
        if (close()) style.edge = 0;
    } else if (name.Equals("/EC")) {
        if (close() && !edgeColorStack.empty()) {
            style.edgeColor = edgeColorStack.back().first;
            edgeColorStack.pop_back();
        }
    } else if (name.Equals("/F")) {
        if (close()) PopInto(fontStack, style.font);
    } else if (name.Equals("/K")) {
        if (close()) style.shadow = 0;
    } else if (name.Equals("/KC")) {
        if (close() && !shadowColorStack.empty()) {
            style.shadowColor = shadowColorStack.back().first;
            shadowColorStack.pop_back();
        }
    } else if (name.Equals("/S")) {
        if (close()) PopInto(sizeStack, style.size);
    } else if (name.Equals("/SPW")) {
        if (close()) PopInto(charSpacingStack, style.charSpacing);
    } else if (name.Equals("/SPH")) {
        if (close()) PopInto(lineSpacingStack, style.lineSpacing);
    } else if (name.Equals("/W")) {
        if (close()) PopInto(wStack, style.wValue);
    } else {
        return false;
    }
    return true;
}

void MessageRenderer::AppendTextRun(const char* bytes, int32_t length) {
    TextRun run;
    run.text.Assign(bytes, length);
    run.height = style.size;
    // In 64 bits, held at the int32 limit: a run of megabytes (an unknown tag
    // name of that length) must not wrap to a negative width.
    run.width = static_cast<int32_t>(std::min<int64_t>(int64_t{style.size} * length / 2, INT32_MAX));
    run.pictureNumber = -1;
    run.style = style;
    LineList::AppendRun(lines.LineAt(lines.currentLine), std::move(run));
}

bool MessageRenderer::AppendErrorText() {
    for (const char* c : {"<", "e", "r", "r", "o", "r", ">"}) AppendTextRun(c, 1);
    return false;
}

void MessageRenderer::BreakLine() {
    if (lines.LineAt(lines.currentLine).runs.empty()) AppendTextRun(" ", 1);
    lines.AppendLine();
}

void MessageRenderer::ResetStyle() {
    sizeStack.clear();
    colorStack.clear();
    edgeColorStack.clear();
    shadowColorStack.clear();
    fontStack.clear();
    charSpacingStack.clear();
    lineSpacingStack.clear();
    centerStack.clear();
    wStack.clear();
    style.Reset();
}

}  // namespace quenta
