// The wrapper on arbitrary plain scripts and widths, held to its promises:
// the wrapped script holds the same characters and tags in the same order,
// with only break tags added and blanks at breaks dropped; no tag is split;
// and wrapping it again changes nothing.
//
// The first byte gives the width (24 to 534 pixels), the second's low bit
// the encoding; the rest is the script.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "LaidOutMessage.h"
#include "MessageEncoder.h"
#include "MessageLayout.h"
#include "Require.h"
#include "ScriptReader.h"
#include "ScriptWrapper.h"

using namespace quenta;
using fuzzing::Require;

namespace {

// What a script draws, in order: every plain character and every tag, as
// the parser saw them.
struct Drawn {
    std::vector<std::string> characters;
    std::vector<std::string> tags;  // event and name
};

class AnyPicture final : public core::PictureSizes {
public:
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        width = number % 97;
        height = 24;
        return true;
    }
};

Drawn Parse(const script::ScriptFile& file) {
    Drawn drawn;
    AnyPicture pictures;
    script::MessageEncoder encoder(file.encoding);
    script::MessageLayout layout(&pictures, false);
    script::ScriptMessage message;
    script::LaidOutMessage laid;
    script::ReadMessages(file, [&](const script::SourceText& source) {
        encoder.Encode(source, message);
        layout.Lay(message.text, laid);
        for (const script::PlacedRun& run : laid.runs) {
            if (run.plain) drawn.characters.push_back(message.text.substr(static_cast<size_t>(run.begin), static_cast<size_t>(run.end - run.begin)));
        }
        for (const script::TagNote& tag : laid.tags) {
            drawn.tags.push_back(std::to_string(static_cast<int>(tag.event)) + tag.name);
        }
    });
    return drawn;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 1 << 14) return -1;
    script::ScriptFile file;
    file.path = "fuzz.txt";
    file.encoding = (data[1] & 1) ? script::ScriptEncoding::kCp932 : script::ScriptEncoding::kUtf8;
    file.bytes.assign(reinterpret_cast<const char*>(data) + 2, size - 2);
    script::CheckSettings settings;
    settings.window.width = 24 + 2 * data[0];
    settings.window.height = 1 << 20;
    const script::WrapResult once = script::WrapScript(file, settings);

    // Only break tags added, each in place of nothing or of one blank.
    size_t grown = 0;
    for (const auto& [offset, removed] : once.edits) {
        Require(removed == 0 || (removed == 1 && file.bytes[offset] == ' '), "a break replaces nothing or one blank");
        grown += 3 - removed;
    }
    Require(once.bytes.size() == file.bytes.size() + grown, "the script grows by the breaks alone");

    // The same characters and tags in the same order: only blanks at breaks
    // gone, only break tags new. A split tag would draw other characters.
    script::ScriptFile wrapped = file;
    wrapped.bytes = once.bytes;
    const Drawn before = Parse(file);
    const Drawn after = Parse(wrapped);
    size_t i = 0;
    for (const std::string& c : after.characters) {
        while (i < before.characters.size() && before.characters[i] != c && before.characters[i] == " ") ++i;
        Require(i < before.characters.size() && before.characters[i] == c, "every character drawn was there before");
        ++i;
    }
    for (; i < before.characters.size(); ++i) Require(before.characters[i] == " ", "only blanks are dropped");
    const std::string addedBreak = std::to_string(static_cast<int>(script::TagEvent::kApplied)) + "R";
    size_t j = 0;
    for (const std::string& tag : after.tags) {
        if (j < before.tags.size() && before.tags[j] == tag) {
            ++j;
            continue;
        }
        Require(tag == addedBreak, "only break tags are new");
    }
    Require(j == before.tags.size(), "every tag is still there");

    // Wrapping again changes nothing.
    const script::WrapResult twice = script::WrapScript(wrapped, settings);
    Require(twice.breaksAdded == 0 && twice.bytes == once.bytes, "wrapping twice changes nothing");
    return 0;
}
