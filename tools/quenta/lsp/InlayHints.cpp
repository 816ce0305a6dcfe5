// At the end of each line, its drawn width against the window ("412/480 px").
#include "Features.h"
#include "LaidMessage.h"

namespace quenta::lsp {

using nlohmann::json;

json InlayHints(const FeatureContext& context, const json& params) {
    json hints = json::array();
    Document& document = context.document;
    const DocumentSettings& settings = document.settings;
    if (settings.inlayHints == InlayHintMode::kNone || !document.error.empty()) return hints;
    // Plain names, not a structured binding: the lambda below captures them.
    const std::pair<uint32_t, uint32_t> range = OffsetsOf(context, params.value("range", json()));
    const uint32_t from = range.first, to = range.second;
    const std::optional<int32_t> window = settings.check.window.width;
    document.checked.Visit(document.file, settings.check, from, to, [&](const script::PassedMessage& m, script::MessagePass&) {
        if (m.source.end < from || m.start > to) return;
        for (size_t line = 0; line < m.laid.lines.size(); ++line) {
            const auto index = static_cast<int32_t>(line);
            const int64_t right = LineRight(m.laid, index);
            if (right < 0) continue;
            if (settings.inlayHints == InlayHintMode::kNear &&
                (!window || right * 100 < static_cast<int64_t>(*window) * settings.nearPercent)) {
                continue;
            }
            const int64_t end = LineEndOffset(document, m, index);
            if (end < 0 || end < from || end > to) continue;
            std::string label = std::to_string(right);
            if (window) label += "/" + std::to_string(*window);
            label += " px";
            hints.push_back({{"position", Position(context, static_cast<uint32_t>(end))},
                             {"label", label},
                             {"paddingLeft", true},
                             {"tooltip", window && right > *window
                                             ? "this line is " + std::to_string(right - *window) + " px wider than the window"
                                             : "the line's drawn width"}});
        }
    });
    return hints;
}

}  // namespace quenta::lsp
