#include "PicturePlanner.h"

#include "ScriptReader.h"

#include <xxhash.h>

#include <cstdio>

namespace quenta::script {

std::string ContentKey(const std::string& bytes) {
    const XXH128_hash_t hash = XXH3_128bits(bytes.data(), bytes.size());
    char hex[33];
    std::snprintf(hex, sizeof hex, "%016llx%016llx", static_cast<unsigned long long>(hash.high64),
                  static_cast<unsigned long long>(hash.low64));
    return hex;
}

PicturePlanner::PicturePlanner(const PictureNames& names, std::string settings)
    : names_(names), settings_(std::move(settings)) {}

const PlannedPicture& PicturePlanner::Plan(const PassedMessage& message, MessagePass& pass) {
    picture_.number = message.number;
    picture_.text = message.message.text;
    picture_.styleBefore = message.styleBefore;
    // As the writer means it: a PO string unescaped.
    picture_.source = pass.ShowWritten(WrittenText(pass.File(), message.written));
    picture_.place = pass.PlaceOf(message.start);
    picture_.name = names_.For(message.number);
    // The style a message starts in is part of its picture: an edit that
    // leaves a colour open redraws the messages after it.
    picture_.key = ContentKey(settings_ + '\0' + message.styleBefore + '\0' + message.message.text);
    return picture_;
}

void ForEachPicture(const ScriptFile& file, StyleMode mode, const PictureNames& names, const std::string& settings,
                    const std::function<void(const PlannedPicture&)>& visit) {
    MessagePass pass(file, mode);
    PicturePlanner planner(names, settings);
    pass.Run([&](const PassedMessage& message) { visit(planner.Plan(message, pass)); });
}

}  // namespace quenta::script
