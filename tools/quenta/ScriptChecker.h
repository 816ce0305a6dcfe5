// Checks the messages of script files in order, as a host would show them,
// and places every finding in the file the writer edits.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "Finding.h"
#include "FindingReport.h"
#include "PairChecks.h"
#include "ScriptFile.h"
#include "ScriptMessage.h"
#include "SourceText.h"
#include "WindowSettings.h"
#include "markup/PictureSizes.h"

namespace quenta::script {

// One message as the checker leaves it: what it read, what the module
// gets, and what was found in it, in the order of their places.
struct CheckedMessage {
    const SourceText& source;
    const ScriptMessage& message;
    const std::vector<Finding>& findings;
};

struct CheckSettings {
    WindowSettings window;
    bool resetBetweenMessages = false;
    bool warningsAsErrors = false;
    std::set<std::string> only;     // when not empty, only these checks
    std::set<std::string> silenced;
    core::PictureSizes* pictures = nullptr;  // null: every picture exists, 0x0
    PairSettings pairs;  // how a translation is compared with its source
    // Called after each message with its number, for progress and for
    // measuring what a long script holds while it is read.
    std::function<void(int32_t)> afterMessage;
    // When set, each message's findings come here as it is checked and are
    // not gathered in the result: a long script's findings need not be held.
    std::function<void(const CheckedMessage&)> eachMessage;
};

// Throws std::runtime_error when the file cannot be read as its form.
FileFindings CheckScript(const ScriptFile& file, const CheckSettings& settings);

// The input of `quenta render`: the whole file is one message.
FileFindings CheckRenderInput(const ScriptFile& file, bool keepNewlines, const CheckSettings& settings);

bool HasErrors(const std::vector<FileFindings>& files);

}  // namespace quenta::script
