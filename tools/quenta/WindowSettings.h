// The message window a script is checked and wrapped against.
#pragma once

#include <cstdint>
#include <optional>

namespace quenta::script {

struct WindowSettings {
    std::optional<int32_t> width;     // the text area's width in pixels
    std::optional<int32_t> height;
    std::optional<int32_t> maxLines;
};

}  // namespace quenta::script
