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

class SourcePlaces {
public:
    SourcePlaces(const std::string& bytes, ScriptEncoding encoding);
    SourcePlace At(uint32_t offset) const;

private:
    const std::string& bytes_;
    ScriptEncoding encoding_;
    std::vector<uint32_t> lineStarts_;
};

}  // namespace quenta::script
