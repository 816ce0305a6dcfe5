#include "MessageSteps.h"

#include <algorithm>
#include <cstring>

namespace quenta::fuzzing {

std::vector<MessageStep> SplitMessageSteps(const uint8_t* data, size_t size) {
    std::vector<MessageStep> steps;
    const uint8_t* const end = data + size;
    const uint8_t* start = data;
    uint8_t instruction = 0;  // the first text has none
    for (;;) {
        const uint8_t* stop = std::find(start, end, uint8_t{0});
        const auto length = static_cast<size_t>(stop - start);
        MessageStep step;
        step.text.reset(new char[length + 1]);
        if (length > 0) std::memcpy(step.text.get(), start, length);
        step.text[length] = '\0';
        step.clearFirst = instruction & 1;
        step.drawFirst = instruction & 2;
        step.drawTarget = static_cast<uint8_t>(instruction >> 2);
        steps.push_back(std::move(step));
        if (stop == end) break;
        // The byte after the NUL, when there is one, instructs the next text.
        start = stop + 1;
        instruction = 0;
        if (start != end) instruction = *start++;
    }
    return steps;
}

}  // namespace quenta::fuzzing
