// Turns marked-up Shift-JIS text into lines of one-character runs: every
// plain character becomes a run carrying a copy of the style in force, every
// tag changes the style or its saved values, breaks the line, resets, or
// places a picture. Lines, style and saved values carry over from one Parse
// to the next, as they do across a renderer's SetText calls.
#pragma once

#include <cstdint>

#include "layout/LineList.h"
#include "layout/StyleState.h"
#include "layout/TextString.h"
#include "markup/MarkupScanner.h"
#include "markup/ParseObserver.h"
#include "markup/PictureSizes.h"
#include "markup/StyleStacks.h"

namespace quenta::core {

class MarkupParser {
public:
    // `pictures` answers the picture tag; without it every picture tag is
    // malformed. It is lent and must outlive the parser's Parse calls.
    explicit MarkupParser(PictureSizes* pictures = nullptr) : pictures_(pictures) {}
    MarkupParser(const MarkupParser&) = delete;
    MarkupParser& operator=(const MarkupParser&) = delete;

    // Appends the runs of `text` (NUL-terminated, null allowed). Out of
    // memory, parsing stops; what was appended stays.
    void Parse(const char* text, ParseObserver* observer = nullptr);

    // Back to one empty line; style and saved values stay.
    void ResetLines() { lines_.ResetLines(); }
    // Back to the default style with nothing saved; lines stay.
    void ResetStyle();

    const LineList& Lines() const { return lines_; }
    const StyleState& Style() const { return style_; }
    const StyleStacks& Stacks() const { return stacks_; }

private:
    void ParseText(const char* text);
    // Runs the steps of the tag `tagName_`; false when it names no tag. A
    // malformed tag counts as a tag: it has appended the error text.
    bool ApplyTag();
    bool ReadColor(RgbColor& color);
    bool ParseColorTag();
    bool ParseSingleColorTag(std::vector<ColorPair>& stack, RgbColor& field);
    bool ParsePictureTag();
    // The ">" that ends a tag without arguments, else the error text.
    bool CloseTag();
    // "n>" for the tags that take one number, else the error text.
    bool ReadSingleNumber(int32_t& n);
    // Brings back the top of a colour stack; false when it is empty.
    static bool RestoreColor(std::vector<ColorPair>& stack, RgbColor& first, RgbColor* second);

    void AppendTextRun(const char* bytes, int32_t length, int32_t begin, int32_t end);
    // Appends the seven runs "<error>" and returns false.
    bool AppendErrorText();
    void AppendRun(TextRun&& run, int32_t begin, int32_t end);
    void BreakLine();

    int32_t Offset() const { return static_cast<int32_t>(scanner_.Position() - text_); }

    LineList lines_;
    MarkupScanner scanner_;
    StyleState style_;
    StyleStacks stacks_;
    PictureSizes* pictures_;

    // Per Parse call.
    ParseObserver* observer_ = nullptr;
    const char* text_ = nullptr;
    int32_t tagBegin_ = 0;  // offset of the "<" of the tag being applied
    TextString piece_;      // scratch for the character being read
    TextString tagName_;    // scratch for the tag name being read
};

}  // namespace quenta::core
