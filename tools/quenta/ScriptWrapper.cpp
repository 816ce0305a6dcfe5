#include "ScriptWrapper.h"

#include <algorithm>

#include "CheckCatalogue.h"
#include "LaidOutMessage.h"
#include "LineWrapper.h"
#include "MessageChecks.h"
#include "MessageLayout.h"
#include "MessagePass.h"
#include "XliffMarkup.h"

namespace quenta::script {

namespace {

// A change to the file: [offset, offset + length) becomes "<R>".
struct FileEdit {
    uint32_t offset;
    uint32_t length;
};

}  // namespace

WrapResult WrapScript(const ScriptFile& file, const CheckSettings& settings) {
    WrapResult result;
    result.unfitting.path = file.path;
    MessagePass pass = PassFor(file, settings);
    // The pass lays out the messages as written, to find the breaks; a
    // second layout in step lays out the wrapped messages, to check them.
    // Breaks change no style, so both carry the same style.
    MessageLayout wrapped(&pass.Pictures(), settings.resetBetweenMessages);
    LineWrapper wrapper;
    LaidOutMessage laid;
    LaidOutMessage scratch;
    std::vector<FileEdit> edits;
    std::vector<MessageFinding> misfits;
    const int32_t width = settings.window.width.value_or(0);

    pass.Run([&](const PassedMessage& m) {
        const ScriptMessage& message = m.message;
        const std::vector<LineBreakEdit> breaks = wrapper.Breaks(message.text, message.origin, m.laid, width, m.cFormat);
        for (const LineBreakEdit& b : breaks) {
            const uint32_t at = message.origin[static_cast<size_t>(b.offset)];
            // A blank goes only where the file spells it as that one byte
            // (in XLIFF it may be a character reference).
            const bool blank = b.length == 1 && at < file.bytes.size() && file.bytes[at] == message.text[static_cast<size_t>(b.offset)];
            edits.push_back({at, blank ? 1u : 0u});
        }
        result.breaksAdded += static_cast<int32_t>(breaks.size());
        const LaidOutMessage* fitted = &m.laid;
        if (!breaks.empty()) {
            wrapped.Lay(ApplyBreaks(message.text, breaks), laid);
            fitted = &laid;
        } else if (message.text.find('<') != std::string::npos) {
            // Unchanged, and already laid out as it is; the second layout
            // still reads its tags to keep in step. Text without tags
            // changes no style, so it need not read that.
            wrapped.Lay(message.text, scratch);
        }
        misfits.clear();
        CheckFit(*fitted, settings.window, misfits);
        if (settings.afterMessage) settings.afterMessage(m.number);
        if (misfits.empty()) return;
        // Where the misfit lies in the message as written: the breaks
        // before it shifted it.
        int32_t offset = misfits.front().offset;
        for (const LineBreakEdit& b : breaks) {
            if (b.offset + 3 > offset) break;
            offset -= 3 - b.length;
        }
        offset = std::clamp<int32_t>(offset, 0, static_cast<int32_t>(message.origin.size()) - 1);
        Finding f;
        f.check = Check::kWrapDoesNotFit;
        f.level = InfoOf(f.check).level;
        f.message = m.number;
        f.offset = message.origin[static_cast<size_t>(offset)];
        f.place = pass.PlaceOf(f.offset);
        f.text = "message " + std::to_string(m.number) + ": still does not fit after wrapping: " + misfits.front().text;
        result.unfitting.findings.push_back(std::move(f));
    });

    // XLIFF holds the break tag as character data, escaped.
    const bool xml = file.form == ScriptForm::kXliff;
    const std::vector<std::pair<uint32_t, uint32_t>> cdata =
        xml && !edits.empty() ? XliffMarkup::CdataSpans(file.bytes) : std::vector<std::pair<uint32_t, uint32_t>>{};
    result.bytes.reserve(file.bytes.size() + edits.size() * (xml ? 9 : 3));
    uint32_t at = 0;
    for (const FileEdit& edit : edits) {
        if (edit.offset < at) continue;  // two messages never share bytes; kept safe all the same
        result.bytes.append(file.bytes, at, edit.offset - at);
        result.bytes += xml ? XliffBreakTag(cdata, edit.offset) : "<R>";
        result.edits.emplace_back(edit.offset, edit.length);
        at = edit.offset + edit.length;
    }
    result.bytes.append(file.bytes, at, std::string::npos);
    return result;
}

}  // namespace quenta::script
