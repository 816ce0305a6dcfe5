// One thing the checker found in a script.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "SourcePlaces.h"

namespace quenta::script {

enum class Level { kNote, kWarning, kError };
enum class Check;

const char* LevelName(Level level);  // "note", "warning", "error"

// A change to the file that mends a finding: its bytes [begin, end) become
// `text` (UTF-8; ASCII for the tags).
struct FindingFix {
    uint32_t begin = 0;
    uint32_t end = 0;
    std::string text;
};

struct Finding {
    Check check{};  // CheckName() gives its stable name, e.g. "malformed-tag"
    Level level = Level::kError;
    int32_t message = 0;  // the message's number, from 1
    SourcePlace place;
    uint32_t offset = 0;  // byte offset in the file
    std::string text;     // what a writer reads, UTF-8
    std::optional<FindingFix> fix;
    std::string key;      // the message's identity (MessageKey), for baselines
    bool accepted = false;  // accepted by a flag in the script: listed only on request
};

}  // namespace quenta::script
