// One script reader (the form is QUENTA_FUZZ_SCRIPT_FORM: text, csv or po)
// on arbitrary bytes, with the checks behind it and a window, in both
// encodings. Beyond the sanitizers it holds the reader to its promise: every
// finding lies inside the file, at a place that exists in it.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Require.h"
#include "ScriptChecker.h"
#include "ScriptFile.h"

using namespace quenta;

namespace {

script::ScriptForm Form() {
    const std::string form = QUENTA_FUZZ_SCRIPT_FORM;
    if (form == "csv") return script::ScriptForm::kCsv;
    if (form == "po") return script::ScriptForm::kPo;
    return script::ScriptForm::kPlain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1 << 16) return -1;  // scripts are long, but length adds nothing here
    script::ScriptFile file;
    file.path = "fuzz";
    file.form = Form();
    file.column = "2";
    file.bytes.assign(reinterpret_cast<const char*>(data), size);
    // The first byte's low bit picks the encoding.
    file.encoding = size > 0 && (data[0] & 1) ? script::ScriptEncoding::kCp932 : script::ScriptEncoding::kUtf8;
    script::CheckSettings settings;
    settings.window.width = 320;
    settings.window.height = 96;
    settings.window.maxLines = 3;
    try {
        const script::FileFindings found = script::CheckScript(file, settings);
        // Lines end at "\n", "\r\n" and a "\r" alone, as editors count them.
        int32_t lines = 1;
        for (size_t i = 0; i < file.bytes.size(); ++i) {
            const char c = file.bytes[i];
            lines += c == '\n' || (c == '\r' && (i + 1 == file.bytes.size() || file.bytes[i + 1] != '\n')) ? 1 : 0;
        }
        for (const script::Finding& f : found.findings) {
            fuzzing::Require(f.offset <= file.bytes.size(), "a finding lies inside the file");
            fuzzing::Require(f.place.line >= 1 && f.place.line <= lines + 1, "a finding's line exists");
            fuzzing::Require(f.place.column >= 1, "a finding's column counts from 1");
            fuzzing::Require(f.message >= 1, "a finding names its message");
        }
    } catch (const std::runtime_error&) {
        // A file that is not of its form (libgettextpo rejects it): reported
        // to the user, not a fault.
    }
    return 0;
}
