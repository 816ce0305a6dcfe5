// Fits the lines of a script's messages to the window: finds the breaks,
// checks the wrapped messages again, and gives the file back with only
// "<R>" added (and the blanks at breaks dropped), byte for byte elsewhere.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "FindingReport.h"
#include "ScriptChecker.h"
#include "ScriptFile.h"

namespace quenta::script {

struct WrapResult {
    std::string bytes;     // the whole file, wrapped
    FileFindings unfitting;  // messages that still do not fit
    int32_t breaksAdded = 0;
    // Where "<R>" went in the file as read: [offset, offset + removed)
    // became "<R>"; removed is 0, or 1 for a blank dropped at a break.
    std::vector<std::pair<uint32_t, uint32_t>> edits;
};

// settings.window.width must be set. Throws ScriptError when the
// file cannot be read as its form.
WrapResult WrapScript(const ScriptFile& file, const CheckSettings& settings);

}  // namespace quenta::script
