// Element of the colour stacks: the colour stack saves both colours, the
// edge- and shadow-colour stacks only the first.
#pragma once

#include "layout/StyleState.h"

namespace quenta::core {

struct ColorPair {
    RgbColor first{0, 0, 0};
    RgbColor second{0, 0, 0};
};

}  // namespace quenta::core
