// Checks the messages of script files in order, as a host would show them,
// and places every finding in the file the writer edits.
#pragma once

#include <functional>
#include <optional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CheckCatalogue.h"
#include "Finding.h"
#include "FindingReport.h"
#include "MessageFinding.h"
#include "MessagePass.h"
#include "ScriptFile.h"
#include "WindowSettings.h"
#include "markup/PictureSizes.h"

namespace quenta::script {

struct CheckSettings {
    WindowSettings window;
    bool resetBetweenMessages = false;
    bool warningsAsErrors = false;
    // Findings accepted by a flag in the script are kept, marked accepted,
    // rather than dropped.
    bool keepAccepted = false;
    std::set<Check> only;  // when not empty, only these checks
    std::set<Check> silenced;
    std::map<Check, Level> levels;  // a project's own level for a check, over its usual one
    core::PictureSizes* pictures = nullptr;  // null: every picture exists, 0x0
    // Called after each message with its number, for progress and for
    // measuring what a long script holds while it is read.
    std::function<void(int32_t)> afterMessage;

    StyleMode Style() const { return resetBetweenMessages ? StyleMode::kResetBetweenMessages : StyleMode::kCarry; }
};

// The pass over `file` that these settings describe: its pictures and
// style mode.
MessagePass PassFor(const ScriptFile& file, const CheckSettings& settings);

// The checker as a visitor of a pass: the findings of each message handed
// to it, in the order of their places in the file.
class MessageChecker {
public:
    // Both are lent and must outlive the checker.
    MessageChecker(const CheckSettings& settings, MessagePass& pass);
    const std::vector<Finding>& Check(const PassedMessage& message);

private:
    bool Enabled(script::Check check) const;
    void Add(script::Check check, int32_t number, uint32_t offset, std::string text, std::optional<FindingFix> fix = {});
    // Where a fix inside the message's text goes in the file, when the file
    // spells those bytes as they are (no escape, no doubled quote).
    std::optional<FindingFix> PlaceFix(const ScriptMessage& message, const MessageFinding& found) const;
    bool Measured(script::Check check) const;
    // Marks the findings the message's flags accept, and notes the flags
    // that accept nothing.
    void Accept(const PassedMessage& message);

    const CheckSettings& settings_;
    MessagePass& pass_;
    std::vector<MessageFinding> found_;
    std::vector<Finding> findings_;
};

// Throws ScriptError when the file cannot be read as its form.
FileFindings CheckScript(const ScriptFile& file, const CheckSettings& settings);

bool HasErrors(const std::vector<FileFindings>& files);

}  // namespace quenta::script
