#include "ScriptReader.h"

#include <algorithm>

#include "MessageLimit.h"
#include "ScriptError.h"

namespace quenta::script {

int32_t ReadMessages(const ScriptFile& file, const MessageSink& sink) {
    int32_t count = 0;
    const MessageSink counted = [&](const SourceText& source) {
        ++count;
        if (source.bytes.size() > text::kLongestMessageBytes) {
            const uint32_t at = source.origin.empty() ? 0 : source.origin.front();
            const auto line = 1 + std::count(file.bytes.begin(), file.bytes.begin() + std::min<size_t>(at, file.bytes.size()), '\n');
            throw BadInput(file.path + ":" + std::to_string(line) + ": " +
                                     text::TooLongMessage("message " + std::to_string(count), source.bytes.size()));
        }
        sink(source);
    };
    switch (file.form) {
        case ScriptForm::kPlain: ReadPlainMessages(file, counted); break;
        case ScriptForm::kCsv:
        case ScriptForm::kTsv: ReadDelimitedMessages(file, counted); break;
        case ScriptForm::kPo: ReadPoMessages(file, counted); break;
        case ScriptForm::kWholeMessage: ReadWholeMessage(file, counted); break;
        case ScriptForm::kXliff: ReadXliffMessages(file, counted); break;
    }
    return count;
}

}  // namespace quenta::script
