#include "MessageOriginal.h"

namespace quenta::script {

namespace {

struct StateName {
    UnitState state;
    const char* name;
};

constexpr StateName kStateNames[] = {
    {UnitState::kNew, "new"},
    {UnitState::kNeedsTranslation, "needs-translation"},
    {UnitState::kTranslated, "translated"},
    {UnitState::kFinal, "final"},
};

}  // namespace

bool UnitStateOfName(const std::string& name, UnitState& state) {
    for (const StateName& s : kStateNames) {
        if (name == s.name) {
            state = s.state;
            return true;
        }
    }
    return false;
}

}  // namespace quenta::script
