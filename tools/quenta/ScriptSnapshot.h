// A script as the preview last read it from disk: its messages as the
// parser gets them, each with the text the writer sees in their editor,
// and the checker's findings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "MessagePreview.h"

namespace quenta::preview {

struct ScriptEntry {
    int32_t number = 0;  // from 1
    int32_t line = 1;    // where the message starts in the file
    std::string cp932;   // as handed to the module
    std::string styleBefore;  // the style it starts in, as tags; "" for the default
    std::string shown;   // the file's text of the message, UTF-8
    std::vector<PlacedFinding> findings;  // placed in `shown`
    // The source it translates, when the script holds one: its text and
    // what the file says about it (UTF-8; all empty without one).
    std::string original;
    std::string originalContext;
    std::string originalComments;
};

struct ScriptSnapshot {
    int64_t version = 0;  // grows with every reading that changed something
    std::string path;
    bool resetBetweenMessages = false;  // else style carries from one message to the next
    std::vector<ScriptEntry> messages;
    std::string error;  // why the last reading failed; the messages are the ones before it
};

}  // namespace quenta::preview
