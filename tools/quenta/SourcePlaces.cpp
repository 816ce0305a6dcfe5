#include "SourcePlaces.h"

#include <algorithm>

#include "ScriptFile.h"
#include "quenta/CharacterBytes.h"

namespace quenta::script {

namespace {

constexpr uint32_t kLandmarkSpacing = 1 << 20;

}  // namespace

SourcePlaces::SourcePlaces(const std::string& bytes, ScriptEncoding encoding) : bytes_(bytes), encoding_(encoding) {
    landmarks_.push_back(cursor_);
}

// "\r\n" and "\n" end a line; so does a "\r" alone.
bool SourcePlaces::EndsLine(size_t i) const {
    return bytes_[i] == '\n' || (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n'));
}

SourcePlace SourcePlaces::At(uint32_t offset) {
    offset = std::min<uint32_t>(offset, static_cast<uint32_t>(bytes_.size()));
    if (offset < cursor_.offset) {
        // Back to the last landmark before it.
        auto after = std::upper_bound(landmarks_.begin(), landmarks_.end(), offset,
                                      [](uint32_t o, const LineStart& l) { return o < l.offset; });
        cursor_ = *(after - 1);
        countedColumn_ = 0;
    }
    // No line ends before the place last counted on the cursor's line.
    const size_t from = countedColumn_ > 0 && countedTo_ <= offset ? countedTo_ : cursor_.offset;
    for (size_t i = from; i < offset; ++i) {
        if (!EndsLine(i)) continue;
        cursor_ = {static_cast<uint32_t>(i + 1), cursor_.line + 1};
        countedColumn_ = 0;
        if (cursor_.offset >= landmarks_.back().offset + kLandmarkSpacing) landmarks_.push_back(cursor_);
    }
    SourcePlace place;
    place.line = cursor_.line;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data());
    uint32_t i = cursor_.offset;
    if (countedColumn_ > 0 && countedTo_ <= offset) {
        i = countedTo_;
        place.column = countedColumn_;
    } else if (i == 0) {
        // A byte-order mark takes no column.
        const auto start = static_cast<uint32_t>(TextStart(bytes_, encoding_));
        if (offset >= start) i = start;
    }
    while (i < offset) {
        if (encoding_ == ScriptEncoding::kUtf8) {
            ++i;
            while (i < offset && (p[i] & 0xC0) == 0x80) ++i;
        } else {
            i += static_cast<uint32_t>(CharacterBytes(bytes_.data() + i));
        }
        ++place.column;
    }
    // A place inside a UTF-8 character (never asked for) is not gone on from.
    const bool boundary = encoding_ != ScriptEncoding::kUtf8 || i >= bytes_.size() || (p[i] & 0xC0) != 0x80;
    countedColumn_ = boundary ? place.column : 0;
    countedTo_ = i;
    return place;
}

}  // namespace quenta::script
