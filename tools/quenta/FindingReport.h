// The findings in the three forms the checker writes: one line each for
// editors and CI problem matchers, JSON, and SARIF 2.1.0 for code-scanning
// views.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "Finding.h"

namespace quenta::script {

enum class ReportFormat { kText, kJson, kSarif };

struct FileFindings {
    std::string path;
    std::vector<Finding> findings;
};

void WriteReport(std::ostream& out, ReportFormat format, const std::vector<FileFindings>& files,
                 const std::string& toolVersion);

// "file:line:column: level: text [name]"
std::string FindingLine(const std::string& path, const Finding& finding);

// The second line of a finding with a related place, "" for one without:
// "file:line:column: note: the source's '<B>' of message 3 is here"
std::string RelatedLine(const std::string& path, const Finding& finding);

}  // namespace quenta::script
