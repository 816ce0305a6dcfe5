#include "ScriptChecker.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>

#include "AnyPicture.h"
#include "CharacterChecks.h"
#include "CheckCatalogue.h"
#include "LaidOutMessage.h"
#include "MessageChecks.h"
#include "MessageEncoder.h"
#include "MessageLayout.h"
#include "MessageOriginal.h"
#include "PairChecks.h"
#include "ScriptReader.h"
#include "SourcePlaces.h"

namespace quenta::script {

namespace {

std::string Hex(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

std::string Utf8(char32_t cp) {
    char bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, cp);
    return std::string(bytes, static_cast<size_t>(length));
}

// Checks the messages that `feed` hands to its sink, in order.
FileFindings CheckMessages(const ScriptFile& file, const CheckSettings& settings,
                           const std::function<void(const MessageSink&)>& feed) {
    FileFindings result;
    result.path = file.path;
    SourcePlaces places(file.bytes, file.encoding);
    MessageEncoder encoder(file.encoding);
    AnyPicture anyPicture;
    MessageLayout layout(settings.pictures ? settings.pictures : &anyPicture, settings.resetBetweenMessages);
    ScriptMessage message;
    LaidOutMessage laid;
    // The sources of a translation, in a run of their own: a parser that
    // carries their style as the translation's carries its own, and places
    // counted apart, as they lie before or after the translation.
    SourcePlaces sourcePlaces(file.bytes, file.encoding);
    MessageLayout sourceLayout(settings.pictures ? settings.pictures : &anyPicture, settings.resetBetweenMessages);
    ScriptMessage sourceMessage;
    LaidOutMessage sourceLaid;
    bool paired = false;
    std::vector<MessageFinding> found;
    std::vector<Finding> messageFindings;
    const ShowText show = [&](std::string_view cp932) { return encoder.Show(cp932); };

    auto enabled = [&](std::string_view check) {
        const std::string name(check);
        if (!settings.only.empty() && !settings.only.count(name)) return false;
        return !settings.silenced.count(name);
    };
    auto add = [&](std::string_view check, uint32_t offset, std::string text, std::optional<RelatedPlace> related = {}) {
        if (!enabled(check)) return;
        const CheckInfo* info = FindCheck(check);
        Finding f;
        f.check = std::string(check);
        f.level = info ? info->level : Level::kError;
        if (settings.warningsAsErrors && f.level == Level::kWarning) f.level = Level::kError;
        f.message = message.number;
        f.offset = offset;
        f.place = places.At(offset);
        f.text = "message " + std::to_string(message.number) + ": " + std::move(text);
        if (!related && paired) related = RelatedPlace{{}, sourceMessage.origin.front(), "the source"};
        if (related) {
            related->place = sourcePlaces.At(related->offset);
            f.related = std::move(related);
        }
        messageFindings.push_back(std::move(f));
    };

    feed([&](const SourceText& source) {
        ++message.number;
        encoder.Encode(source, message);
        messageFindings.clear();
        paired = source.original && !source.original->text.bytes.empty();
        if (paired) encoder.Encode(source.original->text, sourceMessage);
        for (const UnencodableCharacter& u : message.unencodable) {
            std::string text;
            if (u.codePoint == 0) {
                text = "a NUL character (U+0000): the module stops reading the message there, and draws nothing after it";
            } else if (u.codePoint >= kNotUtf8) {
                char byte[16];
                std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(u.codePoint - kNotUtf8));
                text = std::string("byte ") + byte + " is not UTF-8; give --cp932 for a Shift-JIS script";
            } else {
                text = "'" + Utf8(u.codePoint) + "' (" + Hex(u.codePoint) + ") has no code page 932 form";
                if (!u.suggestion.empty()) text += "; the nearest it holds is '" + u.suggestion + "'";
            }
            add("unencodable", u.origin, text);
        }
        const MessageLayout::OpenState before = layout.Open();
        layout.Lay(message.text, laid);
        found.clear();
        CheckTags(message.text, laid, show, found);
        CheckLeftOpen(laid, before, layout.Open(), message.text, show, found);
        CheckFit(laid, settings.window, found);
        CheckCharacters(message.text, laid, show, found);
        if (paired) {
            const MessageLayout::OpenState sourceBefore = sourceLayout.Open();
            sourceLayout.ReadTags(sourceMessage.text, sourceLaid);
            ComparePair({sourceMessage.text, sourceLaid, sourceBefore, sourceLayout.Open()},
                        {message.text, laid, before, layout.Open()}, settings.pairs, show, found);
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const MessageFinding& a, const MessageFinding& b) { return a.offset < b.offset; });
        for (MessageFinding& f : found) {
            const size_t at = std::min(static_cast<size_t>(std::max(f.offset, 0)), message.origin.size() - 1);
            std::optional<RelatedPlace> related;
            if (paired && f.sourceOffset) {
                const size_t there = std::min(static_cast<size_t>(std::max(*f.sourceOffset, 0)), sourceMessage.origin.size() - 1);
                related = RelatedPlace{{}, sourceMessage.origin[there], f.sourceText.empty() ? "the source" : std::move(f.sourceText)};
            }
            add(f.check, message.origin[at], std::move(f.text), std::move(related));
        }
        std::stable_sort(messageFindings.begin(), messageFindings.end(),
                         [](const Finding& a, const Finding& b) { return a.offset < b.offset; });
        if (settings.eachMessage) {
            settings.eachMessage({source, message, messageFindings});
        } else {
            std::move(messageFindings.begin(), messageFindings.end(), std::back_inserter(result.findings));
        }
        if (settings.afterMessage) settings.afterMessage(message.number);
    });
    return result;
}

}  // namespace

FileFindings CheckScript(const ScriptFile& file, const CheckSettings& settings) {
    return CheckMessages(file, settings, [&](const MessageSink& sink) { ReadMessages(file, sink); });
}

FileFindings CheckRenderInput(const ScriptFile& file, bool keepNewlines, const CheckSettings& settings) {
    return CheckMessages(file, settings, [&](const MessageSink& sink) {
        // As quenta-render reads its input: one message, each line break a
        // break tag but the one that ends the input.
        const std::string& bytes = file.bytes;
        size_t at = TextStart(bytes, file.encoding);
        SourceText text;
        for (; at < bytes.size(); ++at) {
            const char c = bytes[at];
            if (keepNewlines || (c != '\n' && c != '\r')) {
                text.Append(c, static_cast<uint32_t>(at));
                continue;
            }
            const size_t breakAt = at;
            if (c == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') ++at;
            if (at + 1 < bytes.size()) text.AppendLineBreak(static_cast<uint32_t>(breakAt));
        }
        text.end = static_cast<uint32_t>(bytes.size());
        sink(text);
    });
}

bool HasErrors(const std::vector<FileFindings>& files) {
    for (const FileFindings& file : files) {
        for (const Finding& f : file.findings) {
            if (f.level == Level::kError) return true;
        }
    }
    return false;
}

}  // namespace quenta::script
