// A finding inside one message, before it is placed in its file: the
// offset is into the message's code page 932 text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CheckCatalogue.h"

namespace quenta::script {

struct MessageFinding {
    Check check{};
    int32_t offset = 0;
    std::string text;        // UTF-8
};

}  // namespace quenta::script
