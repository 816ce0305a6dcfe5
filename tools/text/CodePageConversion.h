// Text between UTF-8 and code page 932 (the Shift-JIS that Quenta reads),
// through iconv: what the tool and the benchmarks convert their text with.
#pragma once

#include <cstddef>
#include <string>

namespace quenta::text {

struct Conversion {
    enum class Outcome { kConverted, kNoConverter, kRejected };
    Outcome outcome = Outcome::kConverted;
    std::string text;        // all of it when converted
    size_t rejectedAt = 0;   // kRejected: the offset of the first byte that has no form in the other encoding
};

Conversion Utf8ToCp932(const std::string& utf8);
Conversion Cp932ToUtf8(const std::string& cp932);
// UTF-16 with its byte-order mark, which is dropped.
Conversion Utf16ToUtf8(const std::string& utf16);
// Between any two encodings iconv knows by name ("EUC-JP", "UTF-16LE").
Conversion Recode(const std::string& input, const std::string& to, const std::string& from);

}  // namespace quenta::text
