// Hover: on a tag, what it does and what it did here; on any character,
// the style in force and its line's width against the window.
#include "Features.h"
#include "LaidMessage.h"
#include "TagHelp.h"
#include "WrittenTag.h"

namespace quenta::lsp {

using nlohmann::json;

namespace {

std::string EventText(const script::TagNote& tag) {
    switch (tag.event) {
        case script::TagEvent::kApplied: return "";
        case script::TagEvent::kMalformed: return "Here it is malformed: the window shows `<error>` in its place.";
        case script::TagEvent::kMissingPicture:
            return "Here picture " + std::to_string(tag.value) + " cannot be had: the window shows `<error>`.";
        case script::TagEvent::kUnknownName: return "Here it is no tag: it is drawn as written.";
        case script::TagEvent::kEmptyClose: return "Here it closes nothing and changes nothing.";
        case script::TagEvent::kIgnoredSize: return "Here the size is 256 or more: the tag is ignored.";
    }
    return "";
}

std::string WidthText(const Document& document, const script::LaidOutMessage& laid, int32_t line) {
    const int64_t right = LineRight(laid, line);
    if (right < 0) return "";
    std::string text = "Line " + std::to_string(line + 1) + ": " + std::to_string(right);
    if (document.settings.check.window.width) {
        const int32_t width = *document.settings.check.window.width;
        text += "/" + std::to_string(width) + " px";
        if (right > width) text += ", " + std::to_string(right - width) + " px too wide";
    } else {
        text += " px wide";
    }
    return text;
}

}  // namespace

json Hover(const FeatureContext& context, const json& params) {
    const uint32_t offset = OffsetsOf(context, json{{"start", params.value("position", json())}}).first;
    std::string markdown;
    uint32_t begin = offset, end = offset;
    WithMessageAt(context, offset, [&](const script::PassedMessage& m, script::MessagePass& pass) {
        const std::string& text = m.message.text;
        const int32_t index = TextIndexAt(m.message, offset);
        if (index < 0) return;
        for (const script::TagNote& tag : m.laid.tags) {
            const int32_t tagEnd = script::WrittenTagEnd(text, tag.begin, tag.end);
            if (index < tag.begin || index >= tagEnd) continue;
            const TagHelp* help = tag.event == script::TagEvent::kUnknownName ? nullptr : HelpFor(tag.name);
            const std::string written = pass.Show(std::string_view(text).substr(static_cast<size_t>(tag.begin),
                                                                               static_cast<size_t>(tagEnd - tag.begin)));
            markdown = "**`" + written + "`**";
            if (help) markdown += " (written `" + std::string(help->form) + "`): " + std::string(help->does);
            const std::string event = EventText(tag);
            if (!event.empty()) markdown += "\n\n" + event;
            if (tag.event == script::TagEvent::kApplied) {
                markdown += "\n\nAfter it: " + DescribeStyle(StyleAt(m, pass, tagEnd)) + ".";
            }
            begin = m.message.origin[static_cast<size_t>(tag.begin)];
            end = m.message.origin[static_cast<size_t>(tagEnd - 1)] + 1;
            return;
        }
        markdown = "Style in force: " + DescribeStyle(StyleAt(m, pass, index)) + ".";
        for (const script::PlacedRun& run : m.laid.runs) {
            if (index >= run.begin && index < run.end) {
                const std::string width = WidthText(context.document, m.laid, run.line);
                if (!width.empty()) markdown += "\n\n" + width + ".";
                break;
            }
        }
    });
    if (markdown.empty()) return nullptr;
    json hover = {{"contents", {{"kind", "markdown"}, {"value", markdown}}}};
    if (end > begin) hover["range"] = Range(context, begin, end);
    return hover;
}

}  // namespace quenta::lsp
