// A baseline: the findings a project has accepted for now, so that CI
// fails only on new ones. Each entry is keyed on the message's identity,
// the check and the text the finding points at (Finding::fingerprint), not
// on a line, so that it survives lines moving and other messages changing.
// Stored as JSON sorted for small diffs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FindingReport.h"

namespace quenta::script {

struct BaselineEntry {
    std::string file;  // relative to the baseline's folder, with '/'
    std::string key;
    std::string check;
    std::string fingerprint;
    int32_t count = 1;  // the same finding more than once in a message

    auto operator<=>(const BaselineEntry&) const = default;
};

struct Baseline {
    std::vector<BaselineEntry> entries;  // sorted

    // The findings (accepted ones left out) as a baseline at `path`.
    static Baseline Of(const std::vector<FileFindings>& files, const std::string& path);
    // Throws ScriptError (bad input) for a file that is no baseline.
    static Baseline Read(const std::string& path);
    std::string Json() const;
};

// Marks each finding new or unchanged against `baseline` (at `path`) and
// returns the entries that matched no finding: fixed since.
std::vector<BaselineEntry> CompareWithBaseline(std::vector<FileFindings>& files, const Baseline& baseline,
                                               const std::string& path);

}  // namespace quenta::script
