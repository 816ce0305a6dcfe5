// One message as the module's parser and layout see it: every run with the
// bytes it came from and where drawing puts it, every line's box, and what
// the parser said about each tag. Offsets are into the message's text.
#pragma once

#include <algorithm>
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

// A line's box on the picture, from the draw origin: from its leftmost run
// to the end of its rightmost, over the line's height.
struct LineRect {
    int64_t x = 0;
    int64_t y = 0;
    int64_t width = 0;
    int64_t height = 0;

    friend bool operator==(const LineRect&, const LineRect&) = default;
};

// The boxes of the lines that hold runs, in order.
inline std::vector<LineRect> LineRects(const LaidOutMessage& laid) {
    std::vector<LineRect> rects;
    for (size_t index = 0; index < laid.lines.size(); ++index) {
        const LineBoxInfo& line = laid.lines[index];
        if (line.firstRun < 0) continue;
        int64_t left = 0, right = 0;
        bool first = true;
        for (size_t r = static_cast<size_t>(line.firstRun);
             r < laid.runs.size() && laid.runs[r].line == static_cast<int32_t>(index); ++r) {
            const PlacedRun& run = laid.runs[r];
            left = first ? run.x : std::min(left, run.x);
            right = first ? run.x + run.width : std::max(right, run.x + run.width);
            first = false;
        }
        rects.push_back({left, line.top, right - left, line.height});
    }
    return rects;
}

}  // namespace quenta::script
