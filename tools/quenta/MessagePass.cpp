#include "MessagePass.h"

#include <exception>
#include <optional>
#include <stdexcept>

#include "ScriptError.h"
#include "ScriptReader.h"

namespace quenta::script {

namespace {

// Carries what a visitor threw through the reader, so that it is not
// taken for the reader's own complaint about the file.
struct VisitorThrew {};

}  // namespace

MessagePass::MessagePass(const ScriptFile& file, StyleMode mode)
    : MessagePass(file, mode, anyPicture_) {}

MessagePass::MessagePass(const ScriptFile& file, StyleMode mode, core::PictureSizes& pictures)
    : file_(file), mode_(mode), pictures_(&pictures), places_(file.bytes, file.encoding), encoder_(file.encoding),
      layout_(pictures_, mode == StyleMode::kResetBetweenMessages), originalPlaces_(file.bytes, file.encoding),
      originalLayout_(pictures_, mode == StyleMode::kResetBetweenMessages) {}

std::string MessagePass::ShowWritten(std::string_view written) {
    return file_.encoding == ScriptEncoding::kCp932 ? encoder_.Show(written) : std::string(written);
}

void MessagePass::Run(const MessageVisitor& visit) { Run(visit, nullptr); }

void MessagePass::Run(const MessageVisitor& visit, const MessageRecall& recall) {
    const bool reset = mode_ == StyleMode::kResetBetweenMessages;
    ScriptMessage message;
    LaidOutMessage laid;
    std::string before, after;
    MessageLayout::OpenState openBefore, openAfter;
    ScriptMessage originalMessage;
    LaidOutMessage originalLaid;
    MessageLayout::OpenState originalBefore, originalAfter;
    std::exception_ptr thrown;
    // Set when skipped messages moved the style on without the layout.
    bool restore = false;
    const MessageSink sink = [&](const SourceText& source) {
        ++message.number;
        if (reset) {
            before.clear();
            openBefore = {};
        } else {
            before.swap(after);
            openBefore = openAfter;
        }
        const uint32_t start = source.origin.empty() ? source.end : source.origin.front();
        const std::string_view written = std::string_view(file_.bytes).substr(start, source.end - start);
        if (recall) {
            const KnownEnd known = recall(source, start, written, before, openBefore);
            if (known.style && known.open) {
                after = *known.style;
                openAfter = *known.open;
                restore = true;
                return;
            }
        }
        if (restore) {
            layout_.Restore(before);
            restore = false;
        }
        encoder_.Encode(source, message);
        layout_.Lay(message.text, laid);
        after = layout_.StyleInForce();
        openAfter = layout_.Open();
        // A source is read only where there is one, so its style carries on
        // from the last message that had one.
        const bool paired = readOriginals_ && source.original && !source.original->text.bytes.empty();
        std::optional<PassedOriginal> passedOriginal;
        if (paired) {
            encoder_.Encode(source.original->text, originalMessage);
            originalBefore = reset ? MessageLayout::OpenState{} : originalLayout_.Open();
            if (layOutOriginals_) originalLayout_.Lay(originalMessage.text, originalLaid);
            else originalLayout_.ReadTags(originalMessage.text, originalLaid);
            originalAfter = originalLayout_.Open();
            passedOriginal.emplace(
                PassedOriginal{*source.original, originalMessage, originalLaid, originalBefore, originalAfter});
        }
        const PassedMessage passed{message.number,
                                   source,
                                   message,
                                   laid,
                                   start,
                                   written,
                                   before,
                                   after,
                                   openBefore,
                                   openAfter,
                                   passedOriginal ? &*passedOriginal : nullptr,
                                   source.cFormat || file_.printfPlaceholders};
        try {
            visit(passed);
        } catch (...) {
            thrown = std::current_exception();
            throw VisitorThrew{};
        }
    };
    try {
        ReadMessages(file_, sink);
    } catch (const VisitorThrew&) {
        std::rethrow_exception(thrown);
    } catch (const ScriptError&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw BadInput(error.what());
    }
}

}  // namespace quenta::script
