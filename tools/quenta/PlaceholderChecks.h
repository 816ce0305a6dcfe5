// The printf placeholders of a C format string between a translation and
// its source: the program passes the source's arguments, so the
// translation takes each as the source does (by number, as "%2$s" lets
// it reorder them), and takes no other.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "MessageChecks.h"
#include "MessageFinding.h"
#include "PrintfPlaceholders.h"

namespace quenta::script {

// The byte ranges [begin, end) of the text's placeholders, in order: what
// lies there is the program's, not markup.
std::vector<std::pair<int32_t, int32_t>> PlaceholderRanges(std::string_view text);

// Drops the findings whose offset lies inside one of `ranges` (sorted).
void DropInside(const std::vector<std::pair<int32_t, int32_t>>& ranges, std::vector<MessageFinding>& found);

struct PlaceholderSource {
    std::string_view text;  // the source's code page 932 text; its offsets are the related places
    // A plural entry: the format every form follows (msgid_plural) and the
    // singular (msgid). An argument the singular lacks may be spelled out
    // in a form ("one file"), so its absence is no finding. Empty otherwise.
    std::string_view plural;
    std::string_view singular;
};

void ComparePlaceholders(const PlaceholderSource& source, std::string_view translation, const ShowText& show,
                         std::vector<MessageFinding>& out);

}  // namespace quenta::script
