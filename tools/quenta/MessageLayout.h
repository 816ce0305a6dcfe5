// The module's own parser and layout query, run over the messages of a
// script in order, as a host hands them over: style and saved values carry
// from one message to the next unless the host resets between messages.
#pragma once

#include <string>

#include "LaidOutMessage.h"
#include "markup/MarkupParser.h"
#include "markup/ParseObserver.h"
#include "markup/PictureSizes.h"

namespace quenta::script {

class MessageLayout;

// One message laid out on its own as it is drawn: a layout brought to the
// style it starts in (tags from StyleInForce), then given the message.
void LayOutInStyle(core::PictureSizes* pictures, const std::string& styleBefore, const std::string& text,
                   LaidOutMessage& out);

class MessageLayout final : private core::ParseObserver, private core::PictureSizes {
public:
    MessageLayout(core::PictureSizes* pictures, bool resetBetweenMessages);
    MessageLayout(const MessageLayout&) = delete;
    MessageLayout& operator=(const MessageLayout&) = delete;

    // Parses the next message (its lines alone: earlier lines are dropped)
    // and lays it out into `out`.
    void Lay(const std::string& text, LaidOutMessage& out);
    // Parses the next message for its tags alone: `out` gets no runs and
    // no lines, and nothing is laid out (a source compared with its
    // translation needs no more).
    void ReadTags(const std::string& text, LaidOutMessage& out);

    // Brings the parser to the style `style` (tags from StyleInForce)
    // brings back, whatever it was in: for carrying on after messages that
    // were not laid out.
    void Restore(const std::string& style);

    // Which switches are on and how deep each saved-value stack is, for
    // telling what a message left open.
    struct OpenState {
        bool bold = false, edge = false, shadow = false;
        size_t size = 0, color = 0, edgeColor = 0, shadowColor = 0, font = 0, charSpacing = 0,
               lineSpacing = 0, centerWidth = 0, wValue = 0;
    };
    OpenState Open() const;
    // The style in force now, field by field.
    const core::StyleState& Style() const { return parser_.Style(); }
    // The style in force now, as tags that bring it back (see StyleInForce).
    std::string StyleInForce() const;

private:
    void OnRun(const core::TextRun& run, int32_t line, int32_t begin, int32_t end) override;
    void OnTag(const core::TextString& name, int32_t begin, int32_t end) override;
    void OnMalformedTag(const core::TextString& name, int32_t begin, int32_t end) override;
    void OnUnknownName(const core::TextString& name, int32_t begin, int32_t end) override;
    void OnEmptyClose(const core::TextString& name, int32_t begin, int32_t end) override;
    void OnIgnoredSize(int32_t size, int32_t begin, int32_t end) override;
    // Asks the script's pictures, and remembers a picture that is lacking
    // so that the failed tag is told apart from a malformed one.
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override;
    void Note(TagEvent event, const core::TextString& name, int32_t begin, int32_t end, int32_t value = 0);

    core::PictureSizes* pictures_;
    bool lacking_ = false;
    int32_t lackingNumber_ = 0;
    core::MarkupParser parser_;
    bool reset_;
    const std::string* text_ = nullptr;
    LaidOutMessage* out_ = nullptr;
    bool runs_ = true;  // record runs
};

}  // namespace quenta::script
