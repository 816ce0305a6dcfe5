// The requests about one document, each answered from its last check and
// the one message pass. Params and results are the protocol's JSON.
#pragma once

#include <nlohmann/json.hpp>

#include "Document.h"

namespace quenta::lsp {

nlohmann::json Range(const FeatureContext& context, uint32_t begin, uint32_t end);
nlohmann::json Position(const FeatureContext& context, uint32_t offset);
// The range's offsets; a missing or bad range is the whole document.
std::pair<uint32_t, uint32_t> OffsetsOf(const FeatureContext& context, const nlohmann::json& range);

nlohmann::json Diagnostics(const FeatureContext& context);
nlohmann::json CodeActions(const FeatureContext& context, const nlohmann::json& params);
nlohmann::json Hover(const FeatureContext& context, const nlohmann::json& params);
nlohmann::json Completion(const FeatureContext& context, const nlohmann::json& params);
nlohmann::json InlayHints(const FeatureContext& context, const nlohmann::json& params);
nlohmann::json DocumentColors(const FeatureContext& context);
nlohmann::json ColorPresentations(const FeatureContext& context, const nlohmann::json& params);
nlohmann::json Formatting(const FeatureContext& context);
nlohmann::json DocumentSymbols(const FeatureContext& context);

// The edits that wrap the messages reaching into [from, to]: each a "<R>"
// put where the wrapper breaks. Empty without a window width.
nlohmann::json WrapEdits(const FeatureContext& context, uint32_t from, uint32_t to);

}  // namespace quenta::lsp
