// The XLIFF reader on arbitrary bytes, with the checks and the wrapper
// behind it. Beyond the sanitizers it holds the reader and the writer to
// their promises: every message's bytes come from inside the file, in file
// order within the message; a wrapped file differs from the one read only
// by the break tags at its edits; and a wrapped file that was XLIFF is read
// again without an error.
//
// The first byte gives the wrap width (24 to 534 pixels); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Require.h"
#include "ScriptChecker.h"
#include "ScriptReader.h"
#include "ScriptWrapper.h"

using namespace quenta;
using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 1 << 16) return -1;
    script::ScriptFile file;
    file.path = "fuzz.xlf";
    file.form = script::ScriptForm::kXliff;
    file.bytes.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        script::ReadMessages(file, [&](const script::SourceText& text) {
            Require(text.origin.size() == text.bytes.size(), "each byte has its offset");
            for (const script::SourceText* side : {&text, text.original ? &text.original->text : nullptr}) {
                if (!side) continue;
                for (size_t i = 0; i < side->origin.size(); ++i) {
                    Require(side->origin[i] < file.bytes.size(), "a message's byte lies inside the file");
                }
            }
        });
    } catch (const std::runtime_error&) {
        return 0;  // no XLIFF: reported to the user, not a fault
    }
    script::CheckSettings settings;
    settings.window.width = 24 + data[0] * 2;
    settings.window.height = 96;
    const script::FileFindings found = script::CheckScript(file, settings);
    for (const script::Finding& f : found.findings) {
        Require(f.offset <= file.bytes.size(), "a finding lies inside the file");
        if (f.related) Require(f.related->offset <= file.bytes.size(), "a related place lies inside the file");
    }
    const script::WrapResult wrapped = script::WrapScript(file, settings);
    // Undo the edits: what is left is the file as read.
    std::string undone;
    size_t at = 0;
    uint32_t read = 0;
    for (const auto& [offset, removed] : wrapped.edits) {
        Require(offset >= read, "edits come in file order");
        undone.append(wrapped.bytes, at, offset - read);
        at += offset - read;
        const bool escaped = wrapped.bytes.compare(at, 9, "&lt;R&gt;") == 0;
        Require(escaped || wrapped.bytes.compare(at, 3, "<R>") == 0, "an edit writes a break tag");
        at += escaped ? 9 : 3;
        undone.append(file.bytes, offset, removed);  // the blank a break dropped
        read = offset + removed;
    }
    undone.append(wrapped.bytes, at, std::string::npos);
    Require(undone == file.bytes, "the wrapped file is the file read, break tags aside");
    script::ScriptFile again = file;
    again.bytes = wrapped.bytes;
    try {
        script::ReadMessages(again, [](const script::SourceText&) {});
    } catch (const std::runtime_error&) {
        Require(false, "a wrapped XLIFF file is read again");
    }
    return 0;
}
