#include "PicturePlan.h"

#include <xxhash.h>

#include <cstdio>

#include "MessageEncoder.h"
#include "ScriptReader.h"

namespace quenta::script {

std::string ContentKey(const std::string& bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return hex;
}

std::vector<PlannedPicture> PlanPictures(const ScriptFile& file, const PictureNames& names, const std::string& settings) {
    std::vector<PlannedPicture> plan;
    SourcePlaces places(file.bytes, file.encoding);
    MessageEncoder encoder(file.encoding);
    ScriptMessage message;
    ReadMessages(file, [&](const SourceText& source) {
        ++message.number;
        encoder.Encode(source, message);
        PlannedPicture picture;
        picture.number = message.number;
        picture.text = message.text;
        const uint32_t start = source.origin.empty() ? source.end : source.origin.front();
        const std::string written = file.bytes.substr(start, source.end - start);
        picture.source = file.encoding == ScriptEncoding::kCp932 ? encoder.Show(written) : written;
        picture.place = places.At(start);
        picture.name = names.For(message.number);
        picture.key = ContentKey(settings + '\0' + message.text);
        plan.push_back(std::move(picture));
    });
    return plan;
}

}  // namespace quenta::script
