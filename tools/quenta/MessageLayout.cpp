#include "MessageLayout.h"

#include <algorithm>

#include "StyleInForce.h"
#include "layout/DrawnExtent.h"
#include "layout/RunPlacement.h"

namespace quenta::script {

MessageLayout::MessageLayout(core::PictureSizes* pictures, bool resetBetweenMessages)
    : pictures_(pictures), parser_(this), reset_(resetBetweenMessages) {}

bool MessageLayout::PictureSize(int32_t number, int32_t& width, int32_t& height) {
    const bool found = pictures_ && pictures_->PictureSize(number, width, height);
    lacking_ = !found;
    lackingNumber_ = number;
    return found;
}

void MessageLayout::Lay(const std::string& text, LaidOutMessage& out) {
    out.Clear();
    parser_.ResetLines();
    if (reset_) parser_.ResetStyle();
    text_ = &text;
    out_ = &out;
    parser_.Parse(text.c_str(), this);
    text_ = nullptr;
    out_ = nullptr;

    // Runs reach the observer in the order drawing walks them: each is
    // appended to the last line.
    size_t index = 0;
    core::PlaceRuns(parser_.Lines(), [&](const core::TextRun&, int32_t, int64_t x, int64_t) {
        if (index < out.runs.size()) out.runs[index].x = x;
        ++index;
    });
    // Each line's box as drawing measures it; a line without runs takes no
    // room and keeps an empty box.
    const std::vector<core::LineBox> boxes = core::MeasureLines(parser_.Lines());
    out.lines.assign(boxes.size(), LineBoxInfo{});
    int32_t firstRun = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const auto count = static_cast<int32_t>(parser_.Lines().lines[i].runs.size());
        if (count > 0) out.lines[i] = {boxes[i].top, boxes[i].height, firstRun};
        firstRun += count;
    }
}

void MessageLayout::ReadTags(const std::string& text, LaidOutMessage& out) {
    out.Clear();
    parser_.ResetLines();
    if (reset_) parser_.ResetStyle();
    // Text without tags has no tags to tell and changes no style.
    if (text.find('<') == std::string::npos) return;
    text_ = &text;
    out_ = &out;
    runs_ = false;
    parser_.Parse(text.c_str(), this);
    runs_ = true;
    text_ = nullptr;
    out_ = nullptr;
}

void MessageLayout::Restore(const std::string& style) {
    parser_.ResetStyle();
    LaidOutMessage scratch;
    const bool reset = reset_;
    reset_ = false;
    Lay(style, scratch);
    reset_ = reset;
}

MessageLayout::OpenState MessageLayout::Open() const {
    const core::StyleState& style = parser_.Style();
    const core::StyleStacks& stacks = parser_.Stacks();
    OpenState open;
    open.bold = style.bold != 0;
    open.edge = style.edge != 0;
    open.shadow = style.shadow != 0;
    open.size = stacks.size.size();
    open.color = stacks.color.size();
    open.edgeColor = stacks.edgeColor.size();
    open.shadowColor = stacks.shadowColor.size();
    open.font = stacks.font.size();
    open.charSpacing = stacks.charSpacing.size();
    open.lineSpacing = stacks.lineSpacing.size();
    open.centerWidth = stacks.centerWidth.size();
    open.wValue = stacks.wValue.size();
    return open;
}

void LayOutInStyle(core::PictureSizes* pictures, const std::string& styleBefore, const std::string& text,
                   LaidOutMessage& out) {
    MessageLayout layout(pictures, false);
    if (!styleBefore.empty()) layout.Lay(styleBefore, out);
    layout.Lay(text, out);
}

std::string MessageLayout::StyleInForce() const { return script::StyleInForce(parser_); }

void MessageLayout::OnRun(const core::TextRun& run, int32_t line, int32_t begin, int32_t end) {
    if (!runs_) return;
    // Filled in place: a run built aside and copied in costs more than the
    // rest of this together.
    PlacedRun& placed = out_->runs.emplace_back();
    placed.begin = begin;
    placed.end = end;
    placed.line = line;
    placed.width = run.width;
    placed.picture = run.IsPicture();
    // A character written as itself covers its one or two bytes; the runs
    // of "<error>" that a short malformed tag leaves are unmarked when the
    // tag is reported (the run's own bytes are not read: that is the cost).
    const int32_t span = end - begin;
    placed.plain = !placed.picture && span > 0 && span <= 2;
    placed.space = placed.plain && span == 1 && (*text_)[static_cast<size_t>(begin)] == ' ';
}

void MessageLayout::Note(TagEvent event, const core::TextString& name, int32_t begin, int32_t end, int32_t value) {
    if (event == TagEvent::kMalformed) {
        for (auto run = out_->runs.rbegin(); run != out_->runs.rend() && run->begin == begin && run->end == end; ++run) {
            run->plain = false;
            run->space = false;
        }
    }
    if (lacking_ && event == TagEvent::kMalformed && name.Equals("G")) {
        event = TagEvent::kMissingPicture;
        value = lackingNumber_;
    }
    lacking_ = false;
    out_->tags.push_back({event, name.data ? std::string(name.data, static_cast<size_t>(name.Length())) : "", begin, end, value});
}

void MessageLayout::OnTag(const core::TextString& name, int32_t begin, int32_t end) {
    Note(TagEvent::kApplied, name, begin, end);
}
void MessageLayout::OnMalformedTag(const core::TextString& name, int32_t begin, int32_t end) {
    Note(TagEvent::kMalformed, name, begin, end);
}
void MessageLayout::OnUnknownName(const core::TextString& name, int32_t begin, int32_t end) {
    Note(TagEvent::kUnknownName, name, begin, end);
}
void MessageLayout::OnEmptyClose(const core::TextString& name, int32_t begin, int32_t end) {
    Note(TagEvent::kEmptyClose, name, begin, end);
}
void MessageLayout::OnIgnoredSize(int32_t size, int32_t begin, int32_t end) {
    out_->tags.push_back({TagEvent::kIgnoredSize, "S", begin, end, size});
}

}  // namespace quenta::script
