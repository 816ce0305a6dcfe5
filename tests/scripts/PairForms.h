// Source/translation pairs written in each form that holds both (PO, CSV,
// TSV, XLIFF 1.2 and 2.0), with the line and column of every byte of each
// text, so that a table of expected findings can be checked in every form,
// escapes included.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ScriptFile.h"

namespace quenta::testing {

struct PlacedText {
    int32_t line = 0;
    std::vector<int32_t> columns;  // of each byte of the text; one more for its end
};

struct WrittenPairs {
    script::ScriptFile file;
    std::vector<PlacedText> sources;
    std::vector<PlacedText> translations;
};

struct Pair {
    std::string source;
    std::string translation;
};

// Texts are single lines of UTF-8 without double quotes, backslashes or tabs.
WrittenPairs WritePairs(script::ScriptForm form, int xliffVersion, const std::vector<Pair>& pairs);

}  // namespace quenta::testing
