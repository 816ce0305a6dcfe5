// The bytes of an XLIFF file that libxml2 has found well formed, walked
// once more to learn where the text of each unit's <source> and <target>
// lies: libxml2's tree tells no byte offsets. Inline elements (<g>, <x/>,
// <ph>, <pc>, <mrk> ...) are transparent: their character data is the
// message's, the elements themselves are not. Character and entity
// references stand at the '&' that spells them; a line end ("\r\n", "\r"
// or "\n") is one "\n", as any XML reader sees it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "SourceText.h"

namespace quenta::script {

struct XliffElementText {
    bool target = false;     // <target>, else <source>
    uint32_t element = 0;    // the offset of the element's "<"
    SourceText text;         // the character data, decoded
};

class XliffMarkup {
public:
    explicit XliffMarkup(const std::string& bytes) : bytes_(bytes) {}

    // The next <source> or <target> that is a child of a <trans-unit>, a
    // <segment> or an <ignorable>, in file order; false after the last.
    bool Next(XliffElementText& out);

    // Where the file has CDATA sections, [begin, end) of their contents.
    static std::vector<std::pair<uint32_t, uint32_t>> CdataSpans(const std::string& bytes);

private:
    size_t Skip(size_t at) const;  // past a comment, PI, DOCTYPE or CDATA at `at`
    size_t TagEnd(size_t at) const;  // past the '>' of the tag at `at`
    std::string LocalName(size_t at) const;  // of the tag at `at`
    void Decode(size_t from, XliffElementText& out);

    const std::string& bytes_;
    size_t at_ = 0;
    std::vector<std::string> open_;  // the local names of the open elements
};

// What `quenta wrap` writes for a line break at `offset` of an XLIFF file:
// "&lt;R&gt;" in character data, "<R>" inside a CDATA section.
const char* XliffBreakTag(const std::vector<std::pair<uint32_t, uint32_t>>& cdata, uint32_t offset);

}  // namespace quenta::script
