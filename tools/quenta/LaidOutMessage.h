// One message as the module's parser and layout see it: every run with the
// bytes it came from and where drawing puts it, every line's box, and what
// the parser said about each tag. Offsets are into the message's text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta::script {

struct PlacedRun {
    int32_t begin = 0;  // the bytes that made the run
    int32_t end = 0;
    int32_t line = 0;
    int64_t x = 0;      // drawn position, centring applied, from the draw origin
    int32_t width = 0;
    bool picture = false;
    bool space = false;  // a plain one-byte blank
    bool plain = false;  // a character written as itself (not a tag's or error text's run)
};

enum class TagEvent { kApplied, kMalformed, kMissingPicture, kUnknownName, kEmptyClose, kIgnoredSize };

struct TagNote {
    TagEvent event = TagEvent::kApplied;
    std::string name;  // as read: "C", "/S", "" when "<" had no name
    int32_t begin = 0;
    int32_t end = 0;
    int32_t value = 0;  // the size of an ignored size tag, the number of a missing picture
};

struct LineBoxInfo {
    // The line's box below the draw origin, as the layout query measures it:
    // its runs sit on its bottom edge, the tallest reaching its top. Empty
    // for a line without runs, which takes no room.
    int64_t top = 0;
    int32_t height = 0;
    int32_t firstRun = -1;  // index into runs; -1 for a line without runs

    int64_t Bottom() const { return top + height; }
};

struct LaidOutMessage {
    std::vector<PlacedRun> runs;   // in drawing order
    std::vector<TagNote> tags;     // in text order
    std::vector<LineBoxInfo> lines;

    void Clear() {
        runs.clear();
        tags.clear();
        lines.clear();
    }
};

}  // namespace quenta::script
