#include "SourcePlaces.h"

#include <algorithm>

#include "quenta/CharacterBytes.h"

namespace quenta::script {

SourcePlaces::SourcePlaces(const std::string& bytes, ScriptEncoding encoding) : bytes_(bytes), encoding_(encoding) {
    lineStarts_.push_back(0);
    for (size_t i = 0; i < bytes.size(); ++i) {
        // "\r\n" and "\n" end a line; so does a "\r" alone.
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            lineStarts_.push_back(static_cast<uint32_t>(i + 1));
        }
    }
}

SourcePlace SourcePlaces::At(uint32_t offset) const {
    offset = std::min<uint32_t>(offset, static_cast<uint32_t>(bytes_.size()));
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
    const size_t line = static_cast<size_t>(after - lineStarts_.begin());
    SourcePlace place;
    place.line = static_cast<int32_t>(line);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data());
    uint32_t i = lineStarts_[line - 1];
    if (encoding_ == ScriptEncoding::kUtf8 && i == 0 && bytes_.rfind("\xEF\xBB\xBF", 0) == 0 && offset >= 3) i = 3;
    while (i < offset) {
        if (encoding_ == ScriptEncoding::kUtf8) {
            ++i;
            while (i < offset && (p[i] & 0xC0) == 0x80) ++i;
        } else {
            i += static_cast<uint32_t>(CharacterBytes(bytes_.data() + i));
        }
        ++place.column;
    }
    return place;
}

}  // namespace quenta::script
