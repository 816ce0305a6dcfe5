#include "CheckCatalogue.h"

namespace quenta::script {

namespace {

constexpr CheckInfo kChecks[] = {
#define QUENTA_CHECK_INFO(id, name, level, summary) {Check::id, name, Level::level, summary},
    QUENTA_CHECK_LIST(QUENTA_CHECK_INFO)
#undef QUENTA_CHECK_INFO
};

// The table is indexed by the enumerator.
constexpr bool InOrder() {
    for (size_t i = 0; i < std::size(kChecks); ++i) {
        if (static_cast<size_t>(kChecks[i].check) != i) return false;
    }
    return true;
}
static_assert(InOrder());

}  // namespace

const char* LevelName(Level level) {
    switch (level) {
        case Level::kNote: return "note";
        case Level::kWarning: return "warning";
        case Level::kError: return "error";
    }
    return "error";
}

std::span<const CheckInfo> AllChecks() { return kChecks; }

const CheckInfo& InfoOf(Check check) { return kChecks[static_cast<size_t>(check)]; }

std::optional<Check> CheckNamed(std::string_view name) {
    for (const CheckInfo& info : kChecks) {
        if (info.name == name) return info.check;
    }
    return std::nullopt;
}

}  // namespace quenta::script
