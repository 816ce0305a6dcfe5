#include "PicturePlanner.h"

#include <xxhash.h>

#include <cstdio>

#include "ScriptReader.h"

namespace quenta::script {

std::string ContentKey(const std::string& bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return hex;
}

PicturePlanner::PicturePlanner(const ScriptFile& file, const PictureNames& names, std::string settings)
    : file_(file), names_(names), settings_(std::move(settings)), places_(file.bytes, file.encoding), shower_(file.encoding) {}

const PlannedPicture& PicturePlanner::Plan(const SourceText& source, const ScriptMessage& message) {
    picture_.number = message.number;
    picture_.text = message.text;
    const uint32_t start = source.origin.empty() ? source.end : source.origin.front();
    // As the writer means it: a PO string unescaped.
    const std::string written = WrittenText(file_, std::string_view(file_.bytes).substr(start, source.end - start));
    picture_.source = file_.encoding == ScriptEncoding::kCp932 ? shower_.Show(written) : written;
    picture_.place = places_.At(start);
    picture_.name = names_.For(message.number);
    picture_.key = ContentKey(settings_ + '\0' + message.text);
    return picture_;
}

void ForEachPicture(const ScriptFile& file, const PictureNames& names, const std::string& settings,
                    const std::function<void(const PlannedPicture&)>& visit) {
    PicturePlanner planner(file, names, settings);
    MessageEncoder encoder(file.encoding);
    ScriptMessage message;
    ReadMessages(file, [&](const SourceText& source) {
        ++message.number;
        encoder.Encode(source, message);
        visit(planner.Plan(source, message));
    });
}

}  // namespace quenta::script
