// A document's messages as last checked, kept between edits: each with its
// written bytes, the style it started and ended in, and its findings. A
// check after an edit lays out again only the messages whose bytes or
// starting style changed, so that from the edited message on it stops as
// soon as the style carried is again what it was; the rest is reused.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MessagePass.h"
#include "ScriptChecker.h"
#include "ScriptFile.h"

namespace quenta::lsp {

bool SameOpen(const script::MessageLayout::OpenState& a, const script::MessageLayout::OpenState& b);

struct MessageRecord {
    int32_t number = 0;
    uint32_t start = 0;  // [start, end) of the file holds it
    uint32_t end = 0;
    std::string written;
    // What else the reader gave the message that its findings depend on:
    // its identity and the flags that accept findings, placed from start.
    std::string beside;
    std::string styleBefore, styleAfter;
    script::MessageLayout::OpenState openBefore, openAfter;
    std::vector<script::Finding> findings;  // offsets into the file
    std::string label;                      // its first words, UTF-8
};

using LaidVisitor = std::function<void(const script::PassedMessage&, script::MessagePass&)>;

class CheckedDocument {
public:
    // Checks `file` with `settings`, reusing what the last check found for
    // every message it still knows. Throws ScriptError as CheckScript does
    // (and then knows nothing).
    void Check(const script::ScriptFile& file, const script::CheckSettings& settings);
    // The settings or pictures changed: the next check lays out everything.
    void Forget();

    const std::vector<MessageRecord>& Messages() const { return messages_; }
    // How many messages the last check laid out.
    int32_t Laid() const { return laid_; }
    // The index of the message whose bytes hold `offset` (or end there), or -1.
    int32_t MessageAt(uint32_t offset) const;

    // Lays out again each message that reaches into [from, to], in the
    // style it starts in, and visits it. `file` must be what was last checked.
    void Visit(const script::ScriptFile& file, const script::CheckSettings& settings, uint32_t from, uint32_t to,
               const LaidVisitor& visit) const;

private:
    std::vector<MessageRecord> messages_;
    size_t size_ = 0;  // of the file last checked
    int32_t laid_ = 0;
};

}  // namespace quenta::lsp
