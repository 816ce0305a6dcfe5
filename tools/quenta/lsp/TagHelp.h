// What each tag does and how it is written, for hover and completion.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "layout/StyleState.h"

namespace quenta::lsp {

struct TagHelp {
    std::string_view name;     // "S"
    std::string_view form;     // "<S32>"
    std::string_view snippet;  // what completion inserts after "<", with placeholders
    std::string_view does;
    bool closes = false;       // has a closing form
};

std::span<const TagHelp> AllTags();
// The help for a tag name, opening or closing ("S", "/S"); null when none.
const TagHelp* HelpFor(std::string_view name);

// The style in force, field by field, as a writer reads it.
std::string DescribeStyle(const core::StyleState& style);

}  // namespace quenta::lsp
