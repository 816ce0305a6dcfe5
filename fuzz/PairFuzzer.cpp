// The comparison of translations with their sources on arbitrary pairs of
// code page 932 texts, in order, with the checks of the translation's
// characters, as the checker runs them (and their printf placeholders, as
// in C format strings, when the second byte says so): a style one side leaves open
// carries into the next pair. Beyond the sanitizers it holds the findings to
// their promise: each lies inside its translation, and the other half of a
// pair finding inside its source.
//
// The input is texts separated by NUL bytes: source, translation, source ...
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AnyPicture.h"
#include "CharacterChecks.h"
#include "LaidOutMessage.h"
#include "MessageLayout.h"
#include "PairChecks.h"
#include "PlaceholderChecks.h"
#include "Require.h"

using namespace quenta;
using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 14) return -1;
    std::vector<std::string> texts(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) texts.emplace_back();
        else texts.back() += static_cast<char>(data[i]);
    }
    script::AnyPicture pictures;
    const bool reset = size > 0 && (data[0] & 1);
    script::MessageLayout sources(&pictures, reset);
    script::MessageLayout translations(&pictures, reset);
    script::LaidOutMessage source, translation;
    script::PairSettings settings;
    settings.countBreaks = size > 1 && (data[1] & 1);
    const bool cFormat = size > 1 && (data[1] & 2);  // the pairs are C format strings
    const script::ShowText show = [](std::string_view text) { return std::string(text); };
    std::vector<script::MessageFinding> found;
    for (size_t i = 0; i + 1 < texts.size(); i += 2) {
        const std::string& s = texts[i];
        const std::string& t = texts[i + 1];
        const script::MessageLayout::OpenState sourceBefore = sources.Open();
        const script::MessageLayout::OpenState translationBefore = translations.Open();
        sources.ReadTags(s, source);
        translations.Lay(t, translation);
        found.clear();
        script::CheckCharacters(t, translation, show, found);
        script::ComparePair({s, source, sourceBefore, sources.Open()}, {t, translation, translationBefore, translations.Open()},
                            settings, show, found);
        if (cFormat) {
            script::DropInside(script::PlaceholderRanges(t), found);
            script::ComparePlaceholders({s, {}, {}}, t, show, found);
        }
        for (const script::MessageFinding& f : found) {
            Require(f.offset >= 0 && static_cast<size_t>(f.offset) <= t.size(), "a finding lies inside its translation");
            Require(!f.sourceOffset || (*f.sourceOffset >= 0 && static_cast<size_t>(*f.sourceOffset) <= s.size()),
                    "a pair finding's other half lies inside its source");
            Require(!f.text.empty(), "a finding says what it found");
        }
    }
    return 0;
}
