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

// A second place a finding concerns: in a translation's finding, the
// source text it is compared with.
struct RelatedPlace {
    SourcePlace place;
    uint32_t offset = 0;  // byte offset in the file
    std::string text;     // what stands there, for a writer, UTF-8
};

struct Finding {
    Check check{};  // CheckName() gives its stable name, e.g. "malformed-tag"
    Level level = Level::kError;
    int32_t message = 0;  // the message's number, from 1
    SourcePlace place;
    uint32_t offset = 0;  // byte offset in the file
    std::string text;     // what a writer reads, UTF-8
    std::optional<RelatedPlace> related;
};

}  // namespace quenta::script
