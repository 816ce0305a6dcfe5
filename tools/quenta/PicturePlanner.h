// Each message of a script as a picture to draw, a message at a time in
// file order, so that a script of any length is planned in the same memory.
#pragma once

#include <functional>
#include <string>

#include "MessagePass.h"
#include "PictureNames.h"
#include "PlannedPicture.h"
#include "ScriptFile.h"

namespace quenta::script {

class PicturePlanner {
public:
    // `settings` is everything besides the text and the style it starts in
    // that shapes a picture; it goes into each picture's key.
    PicturePlanner(const PictureNames& names, std::string settings);

    // The picture of a message of the pass. Asked for in file order; valid
    // until the next call.
    const PlannedPicture& Plan(const PassedMessage& message, MessagePass& pass);

private:
    const PictureNames& names_;
    std::string settings_;
    PlannedPicture picture_;
};

// Reads the script and hands each message's picture to `visit`, in file
// order. Throws ScriptError as MessagePass::Run does.
void ForEachPicture(const ScriptFile& file, StyleMode mode, const PictureNames& names, const std::string& settings,
                    const std::function<void(const PlannedPicture&)>& visit);

// A short, stable digest of the bytes (hexadecimal).
std::string ContentKey(const std::string& bytes);

}  // namespace quenta::script
