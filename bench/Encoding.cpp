#include "Encoding.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "CodePageConversion.h"
#include "quenta/CharacterBytes.h"

namespace quenta::bench {

namespace {

std::string Converted(text::Conversion conversion, const char* to) {
    if (conversion.outcome != text::Conversion::Outcome::kConverted) {
        throw std::runtime_error(std::string("text has no ") + to + " form");
    }
    return std::move(conversion.text);
}

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) { return Converted(text::Utf8ToCp932(utf8), "code page 932"); }

std::string Cp932ToUtf8(const std::string& cp932) { return Converted(text::Cp932ToUtf8(cp932), "UTF-8"); }

int64_t CountMessageCharacters(const std::string& cp932) {
    const std::string_view text = cp932;
    int64_t count = 0;
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == "<R>") {
            i += 3;
        } else if (text.substr(i, 2) == "<<") {
            i += 2;
            ++count;
        } else {
            i += static_cast<size_t>(CharacterBytes(cp932.c_str() + i));
            ++count;
        }
    }
    return count;
}

}  // namespace quenta::bench
