// The checks by their stable names, each with its level and what it means.
#pragma once

#include <span>
#include <string_view>

#include "Finding.h"

namespace quenta::script {

struct CheckInfo {
    std::string_view name;
    Level level;
    std::string_view summary;
};

std::span<const CheckInfo> AllChecks();
const CheckInfo* FindCheck(std::string_view name);

}  // namespace quenta::script
