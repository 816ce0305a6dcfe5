// Runs quenta-render as a user would: a separate process with its own
// working folder, text on standard input, and what it says captured.
#pragma once

#include <string>
#include <vector>

namespace quenta::testing {

struct ToolRun {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = "",
                const std::string& workingFolder = "/");

// Where the source tree's files and the built tool lie.
std::string SourcePath(const std::string& relative);
std::string ToolPath();

}  // namespace quenta::testing
