// Quick fixes: the checker's own fix for each finding in the range, and
// wrapping the message at hand or the whole document.
#include <algorithm>

#include "CheckCatalogue.h"
#include "Features.h"
#include "LineWrapper.h"

namespace quenta::lsp {

using nlohmann::json;

json WrapEdits(const FeatureContext& context, uint32_t from, uint32_t to) {
    json edits = json::array();
    Document& document = context.document;
    const DocumentSettings& settings = document.settings;
    if (!settings.check.window.width || !document.error.empty()) return edits;
    script::LineWrapper wrapper;
    document.checked.Visit(document.file, settings.check, from, to,
                           [&](const script::PassedMessage& m, script::MessagePass&) {
                               if (m.source.end < from || m.start > to) return;
                               const script::ScriptMessage& message = m.message;
                               for (const script::LineBreakEdit& b : wrapper.Breaks(message.text, message.origin, m.laid,
                                                                                    *settings.check.window.width,
                                                                                    m.source.cFormat)) {
                                   const uint32_t at = message.origin[static_cast<size_t>(b.offset)];
                                   edits.push_back({{"range", Range(context, at, at + static_cast<uint32_t>(b.length))},
                                                    {"newText", "<R>"}});
                               }
                           });
    return edits;
}

namespace {

std::string Title(const Document& document, const script::Finding& f) {
    const script::FindingFix& fix = *f.fix;
    const std::string replaced = document.Text().substr(fix.begin, fix.end - fix.begin);
    switch (f.check) {
        case script::Check::kUnclosedStyle: return "Close with " + fix.text;
        case script::Check::kEmptyClose: return "Remove '" + replaced + "'";
        case script::Check::kUnencodable: return "Replace '" + replaced + "' with '" + fix.text + "'";
        default: return "Write " + fix.text + " for " + replaced;
    }
}

json Edit(const std::string& uri, json edits) { return {{"changes", {{uri, std::move(edits)}}}}; }

}  // namespace

json CodeActions(const FeatureContext& context, const json& params) {
    json actions = json::array();
    Document& document = context.document;
    const auto [from, to] = OffsetsOf(context, params.value("range", json()));
    const json& diagnostics = params.contains("context") && params["context"].is_object()
                                  ? params["context"].value("diagnostics", json::array())
                                  : json::array();
    const auto& messages = document.checked.Messages();
    // Findings lie within their messages: look only at those in the range.
    const int32_t first = std::max(document.checked.MessageAt(from), 0);
    for (size_t i = static_cast<size_t>(first); i < messages.size() && messages[i].start <= to; ++i) {
        for (const script::Finding& f : messages[i].findings) {
            const uint32_t end = f.fix ? std::max(f.fix->end, f.offset) : f.offset;
            if (end < from || f.offset > to || !f.fix) continue;
            json action = {{"title", Title(document, f)},
                           {"kind", "quickfix"},
                           {"isPreferred", true},
                           {"edit", Edit(document.uri, json::array({{{"range", Range(context, f.fix->begin, f.fix->end)},
                                                                     {"newText", f.fix->text}}}))}};
            json matched = json::array();
            if (diagnostics.is_array()) {
                for (const json& d : diagnostics) {
                    if (d.is_object() && d.value("code", json()) == std::string(script::CheckName(f.check))) matched.push_back(d);
                }
            }
            if (!matched.empty()) action["diagnostics"] = matched;
            actions.push_back(std::move(action));
        }
    }
    // Wrapping is offered where a line is too wide.
    const auto tooWide = [](const MessageRecord& record) {
        return std::any_of(record.findings.begin(), record.findings.end(),
                           [](const script::Finding& f) { return f.check == script::Check::kLineTooWide; });
    };
    if (document.settings.check.window.width) {
        const int32_t at = document.checked.MessageAt(from);
        if (at >= 0 && tooWide(messages[static_cast<size_t>(at)])) {
            const MessageRecord& record = messages[static_cast<size_t>(at)];
            json edits = WrapEdits(context, record.start, record.end);
            if (!edits.empty()) {
                actions.push_back({{"title", "Wrap message " + std::to_string(record.number) + " to the window"},
                                   {"kind", "quickfix"},
                                   {"edit", Edit(document.uri, std::move(edits))}});
            }
        }
        json all = std::any_of(messages.begin(), messages.end(), tooWide)
                       ? WrapEdits(context, 0, static_cast<uint32_t>(document.Text().size()))
                       : json::array();
        if (!all.empty()) {
            actions.push_back({{"title", "Wrap every message of the document to the window"},
                               {"kind", "source.fixAll.quenta"},
                               {"edit", Edit(document.uri, std::move(all))}});
        }
    }
    return actions;
}

json Formatting(const FeatureContext& context) {
    if (!context.document.settings.formatting) return json::array();
    return WrapEdits(context, 0, static_cast<uint32_t>(context.document.Text().size()));
}

}  // namespace quenta::lsp
