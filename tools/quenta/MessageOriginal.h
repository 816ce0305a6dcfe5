// The source-language text a message translates, as the reader found it
// beside the translation: a PO entry's msgid, a CSV row's source column, an
// XLIFF unit's <source>. The rest is kept for reports.
#pragma once

#include <string>

#include "SourceText.h"

namespace quenta::script {

// Where a translation stands, as a translation file records it. XLIFF 1.2's
// needs-review-* and signed-off count as translated, 2.x's reviewed too.
enum class UnitState { kUnstated, kNew, kNeedsTranslation, kTranslated, kFinal };

// The state named "new", "needs-translation", "translated" or "final";
// false for another word.
bool UnitStateOfName(const std::string& name, UnitState& state);

struct MessageOriginal {
    SourceText text;       // the source's bytes with their file offsets
    std::string id;        // an XLIFF unit's id; a CSV row's number
    std::string context;   // PO msgctxt; XLIFF context
    std::string comments;  // PO extracted comments (#.), XLIFF notes
    UnitState state = UnitState::kUnstated;
    bool cFormat = false;  // a PO entry flagged c-format
    // A PO plural entry: msgid_plural, whose placeholders every form takes,
    // and msgid, whose lack of one lets a form spell its number out.
    // Empty for other entries.
    std::string plural;
    std::string singular;

    void Clear() {
        text.Clear();
        id.clear();
        context.clear();
        comments.clear();
        state = UnitState::kUnstated;
        cFormat = false;
        plural.clear();
        singular.clear();
    }
};

}  // namespace quenta::script
