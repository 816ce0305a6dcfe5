#include "LaidMessage.h"

#include <algorithm>

#include "MessageLayout.h"

namespace quenta::lsp {

int32_t TextIndexAt(const script::ScriptMessage& message, uint32_t offset) {
    if (message.text.empty()) return -1;
    const auto last = message.origin.begin() + static_cast<std::ptrdiff_t>(message.text.size());
    auto at = std::upper_bound(message.origin.begin(), last, offset);
    if (at == message.origin.begin()) return -1;
    --at;
    while (at != message.origin.begin() && *(at - 1) == *at) --at;
    return static_cast<int32_t>(at - message.origin.begin());
}

core::StyleState StyleAt(const script::PassedMessage& m, script::MessagePass& pass, int32_t index) {
    script::MessageLayout layout(&pass.Pictures(), false);
    script::LaidOutMessage scratch;
    layout.Restore(m.styleBefore);
    layout.Lay(m.message.text.substr(0, static_cast<size_t>(std::max(index, 0))), scratch);
    return layout.Style();
}

int64_t LineRight(const script::LaidOutMessage& laid, int32_t line) {
    int64_t right = -1;
    for (const script::PlacedRun& run : laid.runs) {
        if (run.line != line || run.width <= 0 || run.space) continue;
        right = std::max(right, run.x + run.width);
    }
    return right;
}

int64_t LineEndOffset(const Document& document, const script::PassedMessage& m, int32_t line) {
    int32_t lastEnd = -1;
    for (const script::PlacedRun& run : m.laid.runs) {
        if (run.line == line && run.end > 0) lastEnd = std::max(lastEnd, run.end);
    }
    if (lastEnd <= 0) return -1;
    // Past the last byte's character in the file.
    const uint32_t origin = m.message.origin[static_cast<size_t>(lastEnd - 1)];
    const std::string& text = document.Text();
    uint32_t end = origin;
    if (end < text.size()) {
        // A tag ends at its ">"; a character at its last byte.
        if (text[end] == '<') {
            const size_t close = text.find('>', end);
            end = close == std::string::npos ? end + 1 : static_cast<uint32_t>(close + 1);
        } else {
            ++end;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        }
    }
    return end;
}

bool WithMessageAt(const FeatureContext& context, uint32_t offset,
                   const std::function<void(const script::PassedMessage&, script::MessagePass&)>& use) {
    Document& document = context.document;
    if (!document.error.empty()) return false;
    const int32_t at = document.checked.MessageAt(offset);
    if (at < 0) return false;
    const int32_t number = document.checked.Messages()[static_cast<size_t>(at)].number;
    bool found = false;
    document.checked.Visit(document.file, document.settings.check, offset, offset,
                           [&](const script::PassedMessage& m, script::MessagePass& pass) {
                               if (m.number != number) return;
                               found = true;
                               use(m, pass);
                           });
    return found;
}

}  // namespace quenta::lsp
