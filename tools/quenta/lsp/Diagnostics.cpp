// Every finding of the last check as a diagnostic: the same text, level
// and check name as `quenta check` prints.
#include <algorithm>

#include "CheckCatalogue.h"
#include "Features.h"

namespace quenta::lsp {

using nlohmann::json;

json Position(const FeatureContext& context, uint32_t offset) {
    const TextPosition p = context.At(offset);
    return {{"line", p.line}, {"character", p.character}};
}

json Range(const FeatureContext& context, uint32_t begin, uint32_t end) {
    return {{"start", Position(context, begin)}, {"end", Position(context, end)}};
}

std::pair<uint32_t, uint32_t> OffsetsOf(const FeatureContext& context, const json& range) {
    const auto size = static_cast<uint32_t>(context.document.Text().size());
    const auto position = [&](const json& p, uint32_t otherwise) {
        if (!p.is_object() || !p.contains("line") || !p.contains("character") || !p["line"].is_number_integer() ||
            !p["character"].is_number_integer()) {
            return otherwise;
        }
        const auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, 0, INT32_MAX)); };
        return context.OffsetOf({clamp(p["line"].get<int64_t>()), clamp(p["character"].get<int64_t>())});
    };
    if (!range.is_object()) return {0, size};
    const uint32_t begin = position(range.value("start", json()), 0);
    const uint32_t end = position(range.value("end", json()), size);
    return {std::min(begin, end), std::max(begin, end)};
}

namespace {

// Where a finding ends: over what its fix replaces, else its character.
uint32_t FindingEnd(const Document& document, const script::Finding& f) {
    if (f.fix && f.fix->begin == f.offset && f.fix->end > f.offset) return f.fix->end;
    const std::string& text = document.Text();
    uint32_t end = f.offset;
    if (end < text.size()) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return end;
}

int Severity(script::Level level) {
    switch (level) {
        case script::Level::kError: return 1;
        case script::Level::kWarning: return 2;
        case script::Level::kNote: return 3;
    }
    return 1;
}

}  // namespace

json Diagnostics(const FeatureContext& context) {
    json items = json::array();
    const Document& document = context.document;
    if (!document.error.empty()) {
        items.push_back({{"range", Range(context, 0, 0)}, {"severity", 1}, {"source", "quenta"}, {"message", document.error}});
        return items;
    }
    for (const MessageRecord& record : document.checked.Messages()) {
        for (const script::Finding& f : record.findings) {
            items.push_back({{"range", Range(context, f.offset, FindingEnd(document, f))},
                             {"severity", Severity(f.level)},
                             {"code", std::string(script::CheckName(f.check))},
                             {"source", "quenta"},
                             {"message", f.text}});
        }
    }
    return items;
}

}  // namespace quenta::lsp
