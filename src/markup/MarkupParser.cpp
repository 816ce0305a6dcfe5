// The main loop: plain characters become runs, "<" opens a tag, and what is
// no tag is echoed as text. Every byte is either consumed by a tag or drawn.
#include "markup/MarkupParser.h"

#include <algorithm>
#include <new>

namespace quenta::core {

void MarkupParser::Parse(const char* text, ParseObserver* observer) {
    observer_ = observer;
    text_ = text;
    try {
        ParseText(text);
    } catch (const std::bad_alloc&) {
        // Out of memory: what was appended so far stays.
    }
    observer_ = nullptr;
    text_ = nullptr;
}

void MarkupParser::ParseText(const char* text) {
    scanner_.SetInput(text);
    for (;;) {
        const int32_t begin = Offset();
        if (!scanner_.NextChar(piece_)) return;
        // The one test every character takes, made on the bytes themselves.
        const bool opensTag = piece_.data && piece_.data[0] == '<' && piece_.data[1] == '\0';
        if (!opensTag) {
            AppendTextRun(piece_.data, piece_.Length(), begin, Offset());
            continue;
        }
        tagBegin_ = begin;
        if (scanner_.Expect("<")) {
            AppendTextRun("<", 1, begin, Offset());  // "<<" is a literal "<"
            continue;
        }
        const bool named = scanner_.ReadTagName(tagName_);
        if (named && tagName_.Length() == 0) {
            // A name too long to store: no earlier name may stand in for it.
            AppendErrorText();
            if (observer_) observer_->OnMalformedTag(tagName_, begin, Offset());
            continue;
        }
        if (named && ApplyTag()) continue;
        // No name, or a name that is no tag: the "<" and the name (possibly
        // empty) as runs; whatever follows is read as text.
        AppendTextRun("<", 1, begin, begin + 1);
        AppendTextRun(tagName_.data, tagName_.Length(), begin + 1, Offset());
        if (observer_) observer_->OnUnknownName(tagName_, begin, Offset());
    }
}

void MarkupParser::AppendRun(TextRun&& run, int32_t begin, int32_t end) {
    TextLine& line = lines_.LineAt(lines_.currentLine);
    LineList::AppendRun(line, std::move(run));
    if (observer_) observer_->OnRun(line.runs.back(), lines_.currentLine, begin, end);
}

void MarkupParser::AppendTextRun(const char* bytes, int32_t length, int32_t begin, int32_t end) {
    // Made in its place at the end of the line, every field set before
    // anything else can look at it: one run per character makes this the
    // parser's hottest path.
    TextLine& line = lines_.LineAt(lines_.currentLine);
    TextRun& run = line.runs.emplace_back();
    run.text.Assign(bytes, length);
    run.height = style_.size;
    // In 64 bits, held at the int32 limit: a run of megabytes (an unknown tag
    // name of that length) must not wrap to a negative width.
    run.width = static_cast<int32_t>(std::min<int64_t>(int64_t{style_.size} * length / 2, INT32_MAX));
    run.pictureNumber = -1;
    run.style = style_;
    if (observer_) observer_->OnRun(run, lines_.currentLine, begin, end);
}

bool MarkupParser::AppendErrorText() {
    const int32_t end = Offset();
    for (const char* c : {"<", "e", "r", "r", "o", "r", ">"}) AppendTextRun(c, 1, tagBegin_, end);
    return false;
}

void MarkupParser::BreakLine() {
    if (lines_.LineAt(lines_.currentLine).runs.empty()) AppendTextRun(" ", 1, tagBegin_, Offset());
    lines_.AppendLine();
}

void MarkupParser::ResetStyle() {
    stacks_.Clear();
    style_.Reset();
}

}  // namespace quenta::core
