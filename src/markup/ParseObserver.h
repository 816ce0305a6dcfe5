// What the parser can tell about a text while it reads it, for tools that
// must point at the bytes a writer typed. Every offset is a byte offset into
// the text given to one Parse call; [begin, end) is the piece concerned. A
// parser without an observer calls none of this.
#pragma once

#include <cstdint>

#include "layout/TextRun.h"
#include "layout/TextString.h"

namespace quenta::core {

class ParseObserver {
public:
    // A run appended to line `line`. The runs of the error text, of a line
    // break's filler and of a picture carry the whole tag as their bytes.
    virtual void OnRun(const TextRun& /*run*/, int32_t /*line*/, int32_t /*begin*/, int32_t /*end*/) {}
    // A tag that took effect, "<" to ">" (a closing tag that found its
    // stack empty or its switch off is reported by OnEmptyClose instead).
    virtual void OnTag(const TextString& /*name*/, int32_t /*begin*/, int32_t /*end*/) {}
    // A tag whose arguments are malformed, or whose picture cannot be had:
    // the error text is drawn. `end` is where reading resumes as text.
    virtual void OnMalformedTag(const TextString& /*name*/, int32_t /*begin*/, int32_t /*end*/) {}
    // A "<" and a name that is no tag, echoed as text; the name is empty when
    // the "<" was followed by no name at all.
    virtual void OnUnknownName(const TextString& /*name*/, int32_t /*begin*/, int32_t /*end*/) {}
    // A closing tag with nothing saved on its stack, or one that turns off a
    // switch already off (</B> with bold off): it changes nothing.
    virtual void OnEmptyClose(const TextString& /*name*/, int32_t /*begin*/, int32_t /*end*/) {}
    // A size tag of 256 or more, which changes nothing.
    virtual void OnIgnoredSize(int32_t /*size*/, int32_t /*begin*/, int32_t /*end*/) {}

protected:
    ~ParseObserver() = default;
};

}  // namespace quenta::core
