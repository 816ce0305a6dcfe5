// One pass over a script's messages, as a host hands them to the module:
// the reader finds each message, the one encoder turns it into code page
// 932, and the module's parser and layout query lay it out, the style
// carrying on from message to message unless the host resets it. Every
// tool is a visitor of this pass, so that each sees the messages alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "AnyPicture.h"
#include "LaidOutMessage.h"
#include "MessageEncoder.h"
#include "MessageLayout.h"
#include "MessageOriginal.h"
#include "ScriptFile.h"
#include "ScriptMessage.h"
#include "SourcePlaces.h"
#include "SourceText.h"
#include "markup/PictureSizes.h"

namespace quenta::script {

enum class StyleMode {
    kCarry,                 // as a host that hands over message after message
    kResetBetweenMessages,  // the host resets the style before each message
};

// The source a message translates (a PO msgid, a source column, an XLIFF
// <source>), read in a run of its own whose style carries on as the
// translations' does; valid during the visit only.
struct PassedOriginal {
    const MessageOriginal& original;  // as the reader found it: text, id, context, comments
    const ScriptMessage& message;     // its code page 932 text and origins
    const LaidOutMessage& laid;       // its tags alone, unless the pass lays out sources whole
    const MessageLayout::OpenState& openBefore;
    const MessageLayout::OpenState& openAfter;
};

// One message as every tool sees it; valid during the visit only.
struct PassedMessage {
    int32_t number = 0;        // from 1, in file order
    const SourceText& source;  // its bytes as read, each with its file offset
    const ScriptMessage& message;  // the code page 932 text, origins, unencodable characters
    const LaidOutMessage& laid;    // runs, tags and line boxes of message.text
    uint32_t start = 0;            // where the message starts in the file (PlaceOf gives its line)
    std::string_view written;      // the file's bytes from its start to its end
    // The style in force before and after, as tags that bring it back (empty
    // for the default style), and which switches and stacks were open.
    const std::string& styleBefore;
    const std::string& styleAfter;
    const MessageLayout::OpenState& openBefore;
    const MessageLayout::OpenState& openAfter;
    // The source it translates, when the pass reads sources and the reader
    // has a non-empty one; null otherwise.
    const PassedOriginal* original = nullptr;
    // A C format string (a PO entry flagged c-format, or every message
    // with --placeholders printf): its printf placeholders are no markup.
    bool cFormat = false;

    const std::vector<UnencodableCharacter>& Unencodable() const { return message.unencodable; }
};

using MessageVisitor = std::function<void(const PassedMessage&)>;

// How a message ended when it was laid out before: the style it left in
// force, as tags, and what it left open.
struct KnownEnd {
    const std::string* style = nullptr;
    const MessageLayout::OpenState* open = nullptr;
};

// What a long-lived caller (the language server) remembers of an earlier
// pass over the same file: asked before each message is encoded and laid
// out, with the message's written bytes and the style it starts in. An
// answer with a style skips the message (it is not visited) and carries on
// in the style it ended in last time; an empty answer lays it out.
using MessageRecall = std::function<KnownEnd(const SourceText& source, uint32_t start, std::string_view written,
                                             const std::string& styleBefore, const MessageLayout::OpenState& openBefore)>;

class MessagePass {
public:
    // Every picture exists, 0 by 0 pixels, when no pictures are lent.
    MessagePass(const ScriptFile& file, StyleMode mode);
    // `pictures` is lent and must outlive the pass.
    MessagePass(const ScriptFile& file, StyleMode mode, core::PictureSizes& pictures);
    MessagePass(const MessagePass&) = delete;
    MessagePass& operator=(const MessagePass&) = delete;

    // Reads the source beside each translation as well, for a visitor that
    // compares them; before Run. `layOut`: lay each source out whole, runs
    // and lines, for a visitor that checks its fit too.
    void ReadOriginals(bool layOut = false) {
        readOriginals_ = true;
        layOutOriginals_ = layOutOriginals_ || layOut;
    }

    // Reads the file and visits each message in order. Throws ScriptError
    // (bad input) when the file is not of its form, and passes on whatever
    // the visitor throws.
    void Run(const MessageVisitor& visit);
    // As Run, skipping each message that `recall` already knows.
    void Run(const MessageVisitor& visit, const MessageRecall& recall);

    // Where a byte offset of the file lies; mostly asked for in file order.
    SourcePlace PlaceOf(uint32_t offset) { return places_.At(offset); }
    // The same for offsets into the sources, counted apart: they interleave
    // with the translations' in the file.
    SourcePlace PlaceOfOriginal(uint32_t offset) { return originalPlaces_.At(offset); }
    // Code page 932 text as UTF-8, to show it to a writer.
    std::string Show(std::string_view cp932) { return encoder_.Show(cp932); }
    // A piece of the file as UTF-8, whatever the file's encoding.
    std::string ShowWritten(std::string_view written);
    const ScriptFile& File() const { return file_; }
    core::PictureSizes& Pictures() { return *pictures_; }
    StyleMode Mode() const { return mode_; }

private:
    const ScriptFile& file_;
    StyleMode mode_;
    AnyPicture anyPicture_;
    core::PictureSizes* pictures_;
    SourcePlaces places_;
    MessageEncoder encoder_;
    MessageLayout layout_;
    bool readOriginals_ = false;
    bool layOutOriginals_ = false;
    SourcePlaces originalPlaces_;
    MessageLayout originalLayout_;
};

}  // namespace quenta::script
