// How a fuzz input drives a renderer. The bytes are cut at each NUL into
// texts, handed to SetText in turn. The byte after a NUL is an instruction,
// not text: bit 0 clears the renderer before the next text, bit 1 draws
// before it, and the bits above choose the draw's target (see DrawTargets).
// A message file without NULs is thus one SetText, and every input is valid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quenta::fuzzing {

struct MessageStep {
    // Exactly the text and its NUL, on a heap block of its own, so that a
    // read past the NUL is caught rather than landing in the next text.
    std::unique_ptr<char[]> text;
    bool clearFirst = false;
    bool drawFirst = false;
    uint8_t drawTarget = 0;
};

std::vector<MessageStep> SplitMessageSteps(const uint8_t* data, size_t size);

}  // namespace quenta::fuzzing
