#include "AcceptFlags.h"

#include <xxhash.h>

#include <cstdio>

namespace quenta::script {

namespace {

bool FlagByte(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'; }

}  // namespace

void FindAcceptFlags(std::string_view text, uint32_t at, std::vector<AcceptFlag>& out) {
    size_t i = 0;
    while ((i = text.find(kAcceptPrefix, i)) != std::string_view::npos) {
        const bool starts = i == 0 || !FlagByte(text[i - 1]);
        size_t end = i + kAcceptPrefix.size();
        while (end < text.size() && FlagByte(text[end])) ++end;
        if (starts && end > i + kAcceptPrefix.size()) {
            out.push_back({std::string(text.substr(i + kAcceptPrefix.size(), end - i - kAcceptPrefix.size())),
                           at + static_cast<uint32_t>(i)});
        }
        i = end;
    }
}

std::string TextHash(std::string_view text) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(XXH3_64bits(text.data(), text.size())));
    return hex;
}

std::string MessageKey(const std::string& key, std::string_view written) {
    return key.empty() ? "text:" + TextHash(written) : key;
}

}  // namespace quenta::script
