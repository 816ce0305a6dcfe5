// Completion after "<": the tags with their argument forms, the closing
// tags for what is open at that place, and the archive's pictures.
#include <algorithm>

#include "Features.h"
#include "LaidMessage.h"
#include "MessageLayout.h"
#include "TagHelp.h"

namespace quenta::lsp {

using nlohmann::json;

namespace {

// Picture numbers asked of the archive for completion.
constexpr int32_t kPicturesOffered = 256;

json Item(const FeatureContext& context, uint32_t from, uint32_t to, const std::string& label, const std::string& snippet,
          const std::string& detail, const std::string& documentation, const std::string& sort) {
    return {{"label", label},
            {"kind", 14},  // keyword
            {"detail", detail},
            {"documentation", {{"kind", "markdown"}, {"value", documentation}}},
            {"sortText", sort + label},
            {"filterText", label.substr(1)},
            {"insertTextFormat", 2},  // a snippet
            {"textEdit", {{"range", Range(context, from, to)}, {"newText", snippet}}}};
}

}  // namespace

json Completion(const FeatureContext& context, const json& params) {
    Document& document = context.document;
    const uint32_t offset = OffsetsOf(context, json{{"start", params.value("position", json())}}).first;
    const std::string& text = document.Text();
    const TextPosition here = context.At(offset);
    const uint32_t lineStart = document.lines.LineStart(here.line);
    // The "<" the writer is typing a tag after, on this line.
    size_t open = std::string::npos;
    for (size_t i = offset; i > lineStart; --i) {
        if (text[i - 1] == '>') break;
        if (text[i - 1] == '<') {
            open = i - 1;
            break;
        }
    }
    json items = json::array();
    if (open == std::string::npos) return items;
    const auto from = static_cast<uint32_t>(open + 1);
    for (const TagHelp& tag : AllTags()) {
        items.push_back(Item(context, from, offset, "<" + std::string(tag.form.substr(1)), std::string(tag.snippet),
                             std::string(tag.form), std::string(tag.does), "1"));
    }
    WithMessageAt(context, static_cast<uint32_t>(open), [&](const script::PassedMessage& m, script::MessagePass& pass) {
        const auto before = static_cast<int32_t>(
            std::lower_bound(m.message.origin.begin(), m.message.origin.end() - 1, static_cast<uint32_t>(open)) -
            m.message.origin.begin());
        script::MessageLayout layout(&pass.Pictures(), false);
        script::LaidOutMessage scratch;
        layout.Restore(m.styleBefore);
        layout.Lay(m.message.text.substr(0, static_cast<size_t>(before)), scratch);
        const script::MessageLayout::OpenState s = layout.Open();
        const std::pair<const char*, bool> closers[] = {
            {"B", s.bold},          {"E", s.edge},        {"K", s.shadow},         {"S", s.size > 0},
            {"C", s.color > 0},     {"EC", s.edgeColor > 0}, {"KC", s.shadowColor > 0}, {"F", s.font > 0},
            {"SPW", s.charSpacing > 0}, {"SPH", s.lineSpacing > 0}, {"CE", s.centerWidth > 0}, {"W", s.wValue > 0},
        };
        for (const auto& [name, isOpen] : closers) {
            if (!isOpen) continue;
            const std::string tag = "/" + std::string(name) + ">";
            items.push_back(Item(context, from, offset, "<" + tag, tag, "close " + std::string(name),
                                 "Closes what is open here.", "0"));
        }
        if (document.settings.archive.empty()) return;
        for (int32_t number = 0; number < kPicturesOffered; ++number) {
            int32_t width = 0, height = 0;
            if (!pass.Pictures().PictureSize(number, width, height)) continue;
            const std::string tag = "G" + std::to_string(number) + ">";
            items.push_back(Item(context, from, offset, "<" + tag, tag,
                                 std::to_string(width) + " x " + std::to_string(height) + " px",
                                 "Picture " + std::to_string(number) + " of the archive.", "2"));
        }
    });
    return {{"isIncomplete", false}, {"items", items}};
}

}  // namespace quenta::lsp
