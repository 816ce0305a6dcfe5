// Line and column of a byte offset in a script file, as an editor counts
// them: from 1, the column in characters of the file's encoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ScriptEncoding.h"

namespace quenta::script {

struct SourcePlace {
    int32_t line = 1;
    int32_t column = 1;
};

// Places are asked for mostly in file order: the lines are counted from the
// last place asked for, with a few landmarks to start from when a place lies
// before it, so that what is held does not grow with the file's lines.
class SourcePlaces {
public:
    SourcePlaces(const std::string& bytes, ScriptEncoding encoding);
    SourcePlace At(uint32_t offset);

private:
    struct LineStart {
        uint32_t offset;
        int32_t line;
    };
    bool EndsLine(size_t i) const;

    const std::string& bytes_;
    ScriptEncoding encoding_;
    LineStart cursor_{0, 1};           // the start of the line last asked for
    // The last column counted on the cursor's line, so that places further
    // along it (a finding, then the next) go on from there.
    uint32_t countedTo_ = 0;
    int32_t countedColumn_ = 0;  // 0: nothing counted on this line
    std::vector<LineStart> landmarks_;  // a line start about every 1 MiB passed
};

}  // namespace quenta::script
