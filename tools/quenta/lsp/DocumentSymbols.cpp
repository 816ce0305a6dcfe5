// The outline: every message of the script by number and first words.
#include "Features.h"

namespace quenta::lsp {

using nlohmann::json;

json DocumentSymbols(const FeatureContext& context) {
    json symbols = json::array();
    for (const MessageRecord& record : context.document.checked.Messages()) {
        const json range = Range(context, record.start, record.end);
        symbols.push_back({{"name", std::to_string(record.number) + ": " + (record.label.empty() ? "(no text)" : record.label)},
                           {"detail", "message " + std::to_string(record.number)},
                           {"kind", 15},  // string
                           {"range", range},
                           {"selectionRange", range}});
    }
    return symbols;
}

}  // namespace quenta::lsp
